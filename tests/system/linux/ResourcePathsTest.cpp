#include "ResourcePaths.h"
#include "BundleLayout.h"
#include "FileAccess.h"
#include "ModulePath.h"
#include "ProcessEnvironment.h"
#include "StandardFolders.h"
#include "TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(BundleLayout, ResourcesFolderFromModulePath) {
  BundleLayout layout;
  ASSERT_TRUE(BundleLayoutFromModulePath(
      "/home/u/.vst3/Kelvora.vst3/Contents/x86_64-linux/Kelvora.so", layout));
  EXPECT_EQ(layout.resourcePath, "/home/u/.vst3/Kelvora.vst3/Contents/Resources");
  EXPECT_EQ(layout.bundlePath, "/home/u/.vst3/Kelvora.vst3");
  EXPECT_EQ(layout.executablePath, "/home/u/.vst3/Kelvora.vst3/Contents/x86_64-linux/Kelvora.so");

  ASSERT_TRUE(BundleLayoutFromModulePath(
      "/opt/my.plugins/Kelvora 1.1.vst3/Contents/x86_64-linux/Kelvora.so", layout));
  EXPECT_EQ(layout.resourcePath, "/opt/my.plugins/Kelvora 1.1.vst3/Contents/Resources");

  ASSERT_TRUE(BundleLayoutFromModulePath(
      "/usr/lib/vst3//Kelvora.vst3/Contents/x86_64-linux/Kelvora.so/", layout));
  EXPECT_EQ(layout.resourcePath, "/usr/lib/vst3/Kelvora.vst3/Contents/Resources");
  EXPECT_EQ(layout.executablePath, "/usr/lib/vst3/Kelvora.vst3/Contents/x86_64-linux/Kelvora.so");

  ASSERT_TRUE(BundleLayoutFromModulePath("Kelvora.vst3/Contents/aarch64-linux/K.so", layout));
  EXPECT_EQ(layout.resourcePath, "Kelvora.vst3/Contents/Resources");
}

TEST(BundleLayout, PathsOutsideABundle) {
  BundleLayout layout;
  for (const char* path :
       {"", "/", "/usr/lib/vst3/Kelvora.so", "Contents/x86_64-linux/K.so",
        "/x/Kelvora.vst3/Contents/MacOS/Kelvora", "/x/Kelvora.vst3/Other/x86_64-linux/Kelvora.so",
        "/x/Kelvora.vst3/Contents/x86_64-linux/"})
    EXPECT_FALSE(BundleLayoutFromModulePath(path, layout)) << path;
}

TEST(BundleLayout, Lv2ResourcesBesideTheModule) {
  BundleLayout layout;
  ASSERT_TRUE(BundleLayoutFromModulePath("/home/u/.lv2/Kelvora.lv2/Kelvora.so", layout));
  EXPECT_EQ(layout.bundlePath, "/home/u/.lv2/Kelvora.lv2");
  EXPECT_EQ(layout.executablePath, "/home/u/.lv2/Kelvora.lv2/Kelvora.so");
  EXPECT_EQ(layout.resourcePath, "/home/u/.lv2/Kelvora.lv2/Resources");

  ASSERT_TRUE(BundleLayoutFromModulePath("/usr/lib/lv2//my.lv2.d/Kelvora 1.1.lv2/K.so/", layout));
  EXPECT_EQ(layout.resourcePath, "/usr/lib/lv2/my.lv2.d/Kelvora 1.1.lv2/Resources");
  EXPECT_EQ(layout.executablePath, "/usr/lib/lv2/my.lv2.d/Kelvora 1.1.lv2/K.so");

  ASSERT_TRUE(BundleLayoutFromModulePath("Kelvora.lv2/Kelvora.so", layout));
  EXPECT_EQ(layout.resourcePath, "Kelvora.lv2/Resources");

  for (const char* path : {"/usr/lib/lv2/Kelvora.so", "/x/.lv2/Kelvora.so", "/x/Kelvora.lv2",
                           "/x/Kelvora.lv2/sub/Kelvora.so", "/x/Kelvora.lv2x/Kelvora.so"})
    EXPECT_FALSE(BundleLayoutFromModulePath(path, layout)) << path;
}

TEST(ModulePath, LoaderKnowsThisExecutable) {
  SetModulePathOverride("");
  const std::string path = LoadedModulePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path[0], '/');
  EXPECT_TRUE(IsRegularFile(path));
  BundleLayout layout;
  EXPECT_FALSE(BundleLayoutFromModulePath(path, layout)) << "tests do not run in a bundle";
  EXPECT_EQ(BundleResourcePath("com.Murkwhale.vst3.Kelvora"), "");
}

// An installed bundle in a folder with a dot, and a user's shared resources folder.
class ResourceLookup : public ::testing::Test {
protected:
  void SetUp() override {
    bundle = folder.Path() + "/plug.ins/Kelvora.vst3";
    resources = bundle + "/Contents/Resources/";
    SetModulePathOverride(folder.Write("plug.ins/Kelvora.vst3/Contents/x86_64-linux/Kelvora.so"));
    folder.Write("plug.ins/Kelvora.vst3/Contents/Resources/Roboto-Regular.ttf");
    folder.Write("plug.ins/Kelvora.vst3/Contents/Resources/LOGO.png");
    folder.Write("plug.ins/Kelvora.vst3/Contents/Resources/img/Knob.png");
    folder.Write("plug.ins/Kelvora.vst3/Contents/Resources/Folder.png/placeholder");
    env.Set("HOME", folder.Path().c_str());
    env.Set("XDG_CONFIG_HOME", nullptr);
    folder.Write(".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Klang\"\n");
    shared = folder.Write("Klang/Kelvora/Resources/Nuppi.png");
  }
  void TearDown() override { SetModulePathOverride(""); }

  TestFolder folder;
  EnvironmentGuard env;
  std::string bundle, resources, shared;
  const char* id = "com.Murkwhale.vst3.Kelvora";
};

TEST_F(ResourceLookup, FindsBundleResources) {
  std::string path;
  ASSERT_TRUE(FindResourceFile("Roboto-Regular.ttf", "ttf", id, "Kelvora", path));
  EXPECT_EQ(path, resources + "Roboto-Regular.ttf");

  ASSERT_TRUE(FindInBundleResources("LOGO.PNG", "png", id, path));
  EXPECT_EQ(path, resources + "LOGO.png") << "the candidate ends in the type as given";

  ASSERT_TRUE(FindResourceFile("img/Knob.png", "png", id, "Kelvora", path)) << "folders stay";
  EXPECT_EQ(path, resources + "img/Knob.png");
  EXPECT_FALSE(FindInBundleResources("img/Knob.png", "PNG", id, path))
      << "the file system tells Knob.PNG from Knob.png";

  EXPECT_EQ(BundleResourcePath(id), bundle + "/Contents/Resources");
  EXPECT_EQ(BundleFolderPath(id), folder.Path() + "/plug.ins/");
  ASSERT_TRUE(BundleExecutablePath(id, path));
  EXPECT_EQ(path, bundle + "/Contents/x86_64-linux/Kelvora.so");
}

TEST_F(ResourceLookup, FindsLv2BundleResources) {
  const std::string lv2 = folder.Path() + "/lv2.d/Kelvora.lv2";
  SetModulePathOverride(folder.Write("lv2.d/Kelvora.lv2/Kelvora.so"));
  folder.Write("lv2.d/Kelvora.lv2/Resources/LOGO.png");
  std::string path;
  ASSERT_TRUE(FindResourceFile("LOGO.png", "png", id, "Kelvora", path));
  EXPECT_EQ(path, lv2 + "/Resources/LOGO.png");
  EXPECT_FALSE(FindInBundleResources("Roboto-Regular.ttf", "ttf", id, path))
      << "the VST 3 bundle's resources are not this bundle's";
  EXPECT_EQ(BundleResourcePath(id), lv2 + "/Resources");
  EXPECT_EQ(BundleFolderPath(id), folder.Path() + "/lv2.d/");
}

TEST_F(ResourceLookup, FallsBackToSharedResourcesThenAbsolutePaths) {
  std::string path;
  ASSERT_TRUE(FindResourceFile("Nuppi.png", "png", id, "Kelvora", path));
  EXPECT_EQ(path, shared);
  ASSERT_TRUE(FindInSharedResources("skins/Nuppi.png", "png", "Kelvora", path))
      << "only the last component counts in the shared folder";
  EXPECT_EQ(path, shared);
  EXPECT_FALSE(FindResourceFile("Nuppi.png", "png", id, "", path));
  EXPECT_FALSE(FindResourceFile("Nuppi.png", "png", id, nullptr, path));

  const std::string outside = folder.Write("elsewhere/Font.ttf");
  ASSERT_TRUE(FindResourceFile(outside.c_str(), "ttf", id, "Kelvora", path));
  EXPECT_EQ(path, outside);
  ASSERT_TRUE(FindResourceFile(outside.c_str(), "png", id, "Kelvora", path))
      << "a wrong extension leaves only the absolute path";
  EXPECT_EQ(path, outside);
}

TEST_F(ResourceLookup, MissingFilesAreNotFoundAtEveryEntryPoint) {
  std::string path = "stale";
  EXPECT_FALSE(FindResourceFile("Missing.png", "png", id, "Kelvora", path));
  EXPECT_EQ(path, "");
  path = "stale";
  EXPECT_FALSE(FindInBundleResources("Missing.png", "png", id, path));
  EXPECT_EQ(path, "");
  path = "stale";
  EXPECT_FALSE(FindInSharedResources("Missing.png", "png", "Kelvora", path));
  EXPECT_EQ(path, "");
  EXPECT_FALSE(FindResourceFile("Roboto-Regular.ttf", "png", id, "Kelvora", path))
      << "extension differs from type";
  EXPECT_FALSE(FindResourceFile(nullptr, "png", id, "Kelvora", path));
  EXPECT_FALSE(FindResourceFile("", "png", id, "Kelvora", path));
  EXPECT_FALSE(FindResourceFile("LOGO.png", nullptr, id, "Kelvora", path));
  EXPECT_FALSE(FindResourceFile("Folder.png", "png", id, "Kelvora", path)) << "a directory";
  EXPECT_FALSE(FindResourceFile((folder.Path() + "/elsewhere/None.ttf").c_str(), "ttf", id,
                                "Kelvora", path));
  std::vector<uint8_t> bytes{1};
  EXPECT_FALSE(ReadFileBytes(folder.Path() + "/Missing.ttf", 100, bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(ResourceLookup, RelativeNamesDoNotDependOnTheWorkingFolder) {
  folder.Write("cwd/Stray.ttf");
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
  ASSERT_EQ(chdir((folder.Path() + "/cwd").c_str()), 0);
  std::string path;
  EXPECT_FALSE(FindResourceFile("Stray.ttf", "ttf", id, "Kelvora", path));
  ASSERT_EQ(chdir(previous), 0);
}

TEST_F(ResourceLookup, OutsideABundleOnlySharedAndAbsoluteRemain) {
  SetModulePathOverride("/usr/lib/vst3/Kelvora.so");
  std::string path = "kept";
  EXPECT_FALSE(FindInBundleResources("Roboto-Regular.ttf", "ttf", id, path));
  EXPECT_FALSE(BundleExecutablePath(id, path = "kept"));
  EXPECT_EQ(path, "kept");
  EXPECT_EQ(BundleFolderPath(id), "");
  EXPECT_TRUE(FindResourceFile("Nuppi.png", "png", id, "Kelvora", path));
}

TEST(ProcessEnvironment, MacOnlyNotionsAnswerFalse) {
  EXPECT_FALSE(IsAppExtensionBundle());
  EXPECT_FALSE(IsSandboxedProcess());
  EXPECT_FALSE(IsXpcProcess());
  std::string path = "x";
  EXPECT_FALSE(AppGroupContainerPath("group.com.Murkwhale", path));
  EXPECT_EQ(path, "");
}
