#include "ExternalTools.h"
#include "FileAccess.h"
#include "StandardFolders.h"
#include "SystemFontLookup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

namespace {

// What the C runtime's own splitting, as programs started with the line see it, makes of it.
std::vector<std::wstring> Split(const std::wstring& arguments) {
  int count = 0;
  const std::wstring line = L"program.exe " + arguments;
  wchar_t** parts = CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::wstring> result;
  for (int i = 1; i < count; ++i)
    result.push_back(parts[i]);
  LocalFree(parts);
  return result;
}

bool IsFrameworkFolder(const std::string& path) {
  return IsAbsolutePath(path) && path.find('\\') == std::string::npos && path.back() != '/';
}

} // namespace

TEST(WindowsExternalTools, CommandLinesSplitBackIntoTheSameArguments) {
  const std::vector<std::wstring> arguments = {
      L"plain",  L"two words",  L"",     L"say \"hi\"", L"C:\\Program Files\\",
      L"a\\\\b", L"trailing\\", L"\\\"", L"tab\there",  L"\x65E5\x672C \x266B"};
  EXPECT_EQ(Split(ExternalTools::JoinCommandLine(arguments)), arguments);
  EXPECT_EQ(ExternalTools::JoinCommandLine({L"a", L"b c"}), L"a \"b c\"");
  EXPECT_EQ(ExternalTools::JoinCommandLine({L"C:\\dir\\"}), L"C:\\dir\\");
  EXPECT_EQ(ExternalTools::JoinCommandLine({L"C:\\my dir\\"}), L"\"C:\\my dir\\\\\"");
  EXPECT_EQ(ExternalTools::JoinCommandLine({}), L"");
}

TEST(WindowsExternalTools, ProgramsAreFoundWhereTheSystemLooks) {
  EXPECT_TRUE(ExternalTools::IsInstalled("cmd"));
  EXPECT_TRUE(ExternalTools::IsInstalled("cmd.exe"));
  EXPECT_FALSE(ExternalTools::IsInstalled("kelvora-no-such-program"));
  EXPECT_FALSE(ExternalTools::IsInstalled(""));
  EXPECT_FALSE(ExternalTools::IsInstalled(nullptr));
  EXPECT_FALSE(ExternalTools::IsInstalled("\xC3("));
}

TEST(WindowsExternalTools, NothingIsStartedForNothingOrForBadText) {
  EXPECT_FALSE(ExternalTools::Launch({}));
  EXPECT_FALSE(ExternalTools::Launch({""}));
  EXPECT_FALSE(ExternalTools::Launch({"cmd", std::string("/c\0exit", 7)}));
  EXPECT_FALSE(ExternalTools::Launch({"kelvora-no-such-program"}));
  EXPECT_FALSE(ExternalTools::OpenWithShell(""));
  EXPECT_FALSE(ExternalTools::OpenWithShell("\xFF"));
}

TEST(WindowsStandardFolders, KnownFoldersComeInTheFrameworksForm) {
  for (const std::string& folder : {HomeFolderPath(), DesktopFolderPath(), MusicFolderPath(),
                                    AppSupportFolderPath(false), AppSupportFolderPath(true)})
    EXPECT_TRUE(IsFrameworkFolder(folder)) << folder;
  EXPECT_EQ(MusicFolderPath().rfind(HomeFolderPath() + "/", 0), 0u);

  EXPECT_EQ(PresetsFolderPath("Murkwhale", "Kelvora", false),
            AppSupportFolderPath(false) + "/Murkwhale/Kelvora/");
  EXPECT_EQ(PresetsFolderPath("Murkwhale", "Kelvora", true),
            AppSupportFolderPath(true) + "/Murkwhale/Kelvora/");
  EXPECT_EQ(AppSupportFolderForName("Kelvora"), AppSupportFolderPath(false) + "/Kelvora");
  EXPECT_EQ(PresetsFolderPath(std::string(kMaxFolderPathLength, 'v').c_str(), "Kelvora", false),
            "");
  std::string group = "stale";
  EXPECT_FALSE(AppGroupContainerPath("group.murkwhale", group));
  EXPECT_EQ(group, "");
}

TEST(WindowsSystemFonts, OnlyTheBundlesFontIsUsed) {
  std::string path = "stale";
  EXPECT_FALSE(FindInstalledFontFile("Arial", "Regular", path));
  EXPECT_EQ(path, "");
  EXPECT_FALSE(FindInstalledFontFile("", "", path));
}
