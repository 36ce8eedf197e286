#include "XdgUserDirs.h"
#include "StandardFolders.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

TEST(XdgUserDirs, ParsesTheFileAsTheShellWould) {
  const std::string home = "/home/nuppi";
  const std::string text = "# written by xdg-user-dirs-update\n"
                           "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                           "  XDG_MUSIC_DIR=\"$HOME/My \\\"Tunes\\\"\"\n"
                           "XDG_VIDEOS_DIR=\"/srv/videos\"\n"
                           "XDG_MUSIC_DIRECTORY=\"/wrong\"\n"
                           "#XDG_PICTURES_DIR=\"/commented\"\n"
                           "XDG_PICTURES_DIR=\"Pictures\"\n"
                           "XDG_TEMPLATES_DIR=\"$HOMEX/t\"\n"
                           "XDG_PUBLICSHARE_DIR=\"/unterminated\n"
                           "XDG_DOCUMENTS_DIR=$HOME/Docs\n";
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_DESKTOP_DIR", home), "/home/nuppi/Desktop");
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_MUSIC_DIR", home), "/home/nuppi/My \"Tunes\"");
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_VIDEOS_DIR", home), "/srv/videos");
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_DOCUMENTS_DIR", home), "/home/nuppi/Docs");
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_PICTURES_DIR", home), "") << "relative path";
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_TEMPLATES_DIR", home), "") << "not $HOME";
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_PUBLICSHARE_DIR", home), "");
  EXPECT_EQ(XdgUserDirFromText(text, "XDG_DOWNLOAD_DIR", home), "");
  EXPECT_EQ(XdgUserDirFromText("XDG_MUSIC_DIR=\"$HOME\"", "XDG_MUSIC_DIR", home), home);
  EXPECT_EQ(XdgUserDirFromText("XDG_MUSIC_DIR=\"/a\"\nXDG_MUSIC_DIR=\"/b\"", "XDG_MUSIC_DIR", home),
            "/b");
  EXPECT_EQ(XdgUserDirFromText("XDG_MUSIC_DIR=\"$HOME/M\"", "XDG_MUSIC_DIR", ""), "")
      << "no home to expand";
}

class XdgFolders : public ::testing::Test {
protected:
  void SetUp() override {
    env.Set("HOME", folder.Path().c_str());
    env.Set("XDG_CONFIG_HOME", (folder.Path() + "/config").c_str());
    env.Set("XDG_DATA_HOME", nullptr);
    env.Set("XDG_DATA_DIRS", nullptr);
  }
  TestFolder folder;
  EnvironmentGuard env;
};

TEST_F(XdgFolders, MusicFolderFromUserDirsElseHomeMusic) {
  EXPECT_EQ(MusicFolderPath(), folder.Path() + "/Music") << "missing file";
  EXPECT_EQ(DesktopFolderPath(), folder.Path() + "/Desktop");

  folder.Write("config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Klang\"\n");
  EXPECT_EQ(MusicFolderPath(), folder.Path() + "/Klang");
  EXPECT_EQ(DesktopFolderPath(), folder.Path() + "/Desktop") << "key absent";

  env.Set("XDG_CONFIG_HOME", "relative/config");
  folder.Write(".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"/srv/music\"\n");
  EXPECT_EQ(MusicFolderPath(), "/srv/music") << "a relative XDG_CONFIG_HOME is ignored";
}

TEST_F(XdgFolders, HomeWithTrailingSlashAndWithoutHome) {
  env.Set("HOME", (folder.Path() + "/").c_str());
  EXPECT_EQ(HomeFolderPath(), folder.Path());
  EXPECT_EQ(MusicFolderPath(), folder.Path() + "/Music");

  env.Set("HOME", nullptr);
  EXPECT_FALSE(HomeFolderPath().empty()) << "the password database still knows the user";
}

TEST_F(XdgFolders, PresetsAndApplicationSupport) {
  EXPECT_EQ(PresetsFolderPath("Murkwhale", "Kelvora", false),
            folder.Path() + "/.local/share/Murkwhale/Kelvora/");
  EXPECT_EQ(AppSupportFolderPath(false), folder.Path() + "/.local/share");
  EXPECT_EQ(AppSupportFolderForName("Murkwhale"), folder.Path() + "/.local/share/Murkwhale");

  env.Set("XDG_DATA_HOME", "/data/user");
  env.Set("XDG_DATA_DIRS", "relative:/opt/share:/usr/share");
  EXPECT_EQ(PresetsFolderPath("Murkwhale", "Kelvora", false), "/data/user/Murkwhale/Kelvora/");
  EXPECT_EQ(PresetsFolderPath("Murkwhale", "Kelvora", true), "/opt/share/Murkwhale/Kelvora/");
  env.Set("XDG_DATA_DIRS", nullptr);
  EXPECT_EQ(AppSupportFolderPath(true), "/usr/local/share");

  const std::string longName(kMaxFolderPathLength, 'n');
  EXPECT_EQ(PresetsFolderPath("Murkwhale", longName.c_str(), false), "")
      << "a cut-off path would name another folder";
  EXPECT_EQ(AppSupportFolderForName(longName.c_str()), "");
  EXPECT_EQ(PresetsFolderPath(nullptr, "Kelvora", false), "");
}
