#include "TempFolder.h"
#include "Vst3Module.h"

#include <gtest/gtest.h>

TEST(WindowsModuleLoader, FindsTheDllInsideTheBundle) {
  EXPECT_EQ(Vst3Module::binaryPathOf("C:/plugins/Kelvora.vst3"),
            "C:/plugins/Kelvora.vst3/Contents/x86_64-win/Kelvora.vst3");
  EXPECT_EQ(Vst3Module::binaryPathOf("C:/plugins/Kelvora.vst3/"),
            "C:/plugins/Kelvora.vst3/Contents/x86_64-win/Kelvora.vst3");
  EXPECT_EQ(Vst3Module::binaryPathOf("C:\\Program Files\\Common Files\\VST3\\Kelvora.vst3\\"),
            "C:\\Program Files\\Common Files\\VST3\\Kelvora.vst3/Contents/x86_64-win/"
            "Kelvora.vst3");
  EXPECT_EQ(Vst3Module::binaryPathOf("Kelvora.vst3"),
            "Kelvora.vst3/Contents/x86_64-win/Kelvora.vst3");
  EXPECT_EQ(Vst3Module::binaryPathOf("/work/Other"), "/work/Other/Contents/x86_64-win/Other.vst3");
}

TEST(WindowsModuleLoader, ReportsBundlesThatDoNotLoad) {
  TempFolder folder;
  {
    Vst3Module missing(folder / "Missing.vst3");
    EXPECT_FALSE(missing.loaded());
    EXPECT_EQ(missing.handle(), nullptr);
    EXPECT_NE(missing.error().find("error"), std::string::npos) << missing.error();
  }
  // A DLL that loads but is no VST 3 module: a system library under the module's name.
  const std::filesystem::path binary =
      std::filesystem::u8path(Vst3Module::binaryPathOf(folder / "Fake.vst3"));
  std::filesystem::create_directories(binary.parent_path());
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  std::filesystem::copy_file(std::filesystem::path(system) / L"version.dll", binary);
  Vst3Module fake(folder / "Fake.vst3");
  EXPECT_FALSE(fake.loaded());
  EXPECT_NE(fake.handle(), nullptr);
  EXPECT_EQ(fake.error(), "missing entry point");
  EXPECT_EQ(fake.factory(), nullptr);
}
