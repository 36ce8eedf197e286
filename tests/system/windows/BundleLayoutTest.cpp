#include "BundleLayout.h"
#include "FileAccess.h"
#include "ModulePath.h"
#include "ResourcePaths.h"

#include "TestFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(WindowsBundleLayout, ModuleInTheArchitectureFolderGivesTheBundle) {
  BundleLayout layout;
  ASSERT_TRUE(BundleLayoutFromModulePath(
      "C:/Program Files/Common Files/VST3/Kelvora.vst3/Contents/x86_64-win/Kelvora.vst3", layout));
  EXPECT_EQ(layout.bundlePath, "C:/Program Files/Common Files/VST3/Kelvora.vst3");
  EXPECT_EQ(layout.executablePath,
            "C:/Program Files/Common Files/VST3/Kelvora.vst3/Contents/x86_64-win/Kelvora.vst3");
  EXPECT_EQ(layout.resourcePath,
            "C:/Program Files/Common Files/VST3/Kelvora.vst3/Contents/Resources");

  ASSERT_TRUE(BundleLayoutFromModulePath(
      "//studio/plugins/Kelvora.vst3/Contents/x86_64-win/Kelvora.vst3", layout));
  EXPECT_EQ(layout.bundlePath, "//studio/plugins/Kelvora.vst3");
  EXPECT_EQ(layout.resourcePath, "//studio/plugins/Kelvora.vst3/Contents/Resources");
}

TEST(WindowsBundleLayout, ModuleOutsideABundleHasNone) {
  BundleLayout layout;
  EXPECT_FALSE(
      BundleLayoutFromModulePath("C:/Program Files/Common Files/VST3/Kelvora.vst3", layout));
  EXPECT_FALSE(
      BundleLayoutFromModulePath("C:/VST3/Kelvora.vst3/Stuff/x86_64-win/Kelvora.vst3", layout));
  EXPECT_FALSE(BundleLayoutFromModulePath("Contents/x86_64-win/Kelvora.vst3", layout));
  EXPECT_FALSE(BundleLayoutFromModulePath("", layout));
}

TEST(WindowsModulePath, IsTheLoadersFileInTheFrameworksForm) {
  wchar_t own[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
  ASSERT_GT(length, 0u);
  std::wstring expected(own, length);
  for (wchar_t& c : expected)
    if (c == L'\\') c = L'/';

  const std::string path = LoadedModulePath();
  EXPECT_EQ(std::filesystem::u8path(path).wstring(), expected);
  EXPECT_EQ(path.find('\\'), std::string::npos);
  EXPECT_TRUE(IsAbsolutePath(path)) << path;
  EXPECT_TRUE(IsRegularFile(path));

  SetModulePathOverride("C:/elsewhere/Kelvora.vst3");
  EXPECT_EQ(LoadedModulePath(), "C:/elsewhere/Kelvora.vst3");
  SetModulePathOverride("");
  EXPECT_EQ(LoadedModulePath(), path);
}

// A user whose name is beyond ASCII installs into their own profile: "Jürgen ♫".
TEST(WindowsModulePath, BundleBeyondAsciiFindsItsResources) {
  TestFolder folder;
  const std::string bundle = folder.Path() + "/J\xC3\xBCrgen \xE2\x99\xAB/Kelvora.vst3";
  const std::string module =
      folder.Write(bundle.substr(folder.Path().size() + 1) + "/Contents/x86_64-win/Kelvora.vst3");
  const std::string knob = folder.Write(
      bundle.substr(folder.Path().size() + 1) + "/Contents/Resources/knob.png", "64x64");
  SetModulePathOverride(module);

  std::string path;
  EXPECT_TRUE(FindResourceFile("knob.png", "png", "com.murkwhale.kelvora", "", path));
  EXPECT_EQ(path, knob);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(path, 1024, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "64x64");
  EXPECT_EQ(BundleResourcePath(""), bundle + "/Contents/Resources");
  EXPECT_EQ(BundleFolderPath(""), folder.Path() + "/J\xC3\xBCrgen \xE2\x99\xAB/");

  // An absolute Windows path is taken as it is; a root-relative one is not.
  EXPECT_TRUE(FindResourceFile(knob.c_str(), "png", "", "", path));
  EXPECT_EQ(path, knob);
  EXPECT_FALSE(FindResourceFile(knob.substr(2).c_str(), "png", "", "", path));
  SetModulePathOverride("");
}
