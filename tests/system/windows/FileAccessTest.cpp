#include "FileAccess.h"

#include "TestFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// "Préréglages ♫" and "Ðrïve 日本.fxp": names the ANSI code page cannot hold.
const std::string kFolderName = "Pr\xC3\xA9r\xC3\xA9glages \xE2\x99\xAB";
const std::string kFileName = "\xC3\x90r\xC3\xAFve \xE6\x97\xA5\xE6\x9C\xAC.fxp";
const std::wstring kWideFileName = L"\x00D0r\x00EFve \x65E5\x672C.fxp";

} // namespace

TEST(WindowsFileAccess, NamesBeyondAsciiAreWrittenFoundAndReadBack) {
  TestFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  const std::string path = folder.Path() + "/" + kFolderName + "/" + kFileName;
  ASSERT_TRUE(CreateDirectoryW(std::filesystem::u8path(folder.Path() + "/" + kFolderName).c_str(),
                               nullptr));

  std::FILE* file = OpenFile(path, "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite("FxCk", 1, 4, file), 4u);
  ASSERT_EQ(std::fclose(file), 0);

  // The file carries the name itself, not the code page's rendering of its bytes.
  const std::filesystem::path wide = std::filesystem::u8path(folder.Path() + "/" + kFolderName);
  EXPECT_NE(GetFileAttributesW((wide / kWideFileName).c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_TRUE(IsRegularFile(path));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(path, 4, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "FxCk");
  EXPECT_FALSE(ReadFileBytes(path, 3, bytes));
  EXPECT_TRUE(bytes.empty());

  // Windows's own separators name the same file.
  std::string backslashed = path;
  for (char& c : backslashed)
    if (c == '/') c = '\\';
  EXPECT_TRUE(IsRegularFile(backslashed));
}

TEST(WindowsFileAccess, FoldersMissingFilesAndBadNamesAreNoFiles) {
  TestFolder folder;
  std::vector<uint8_t> bytes = {1};
  EXPECT_FALSE(IsRegularFile(folder.Path()));
  EXPECT_FALSE(ReadFileBytes(folder.Path(), 1024, bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(IsRegularFile(folder.Path() + "/absent.png"));
  EXPECT_FALSE(IsRegularFile(""));
  EXPECT_EQ(OpenFile(folder.Path() + "/absent.png", "rb"), nullptr);

  // A file whose name holds a NUL or stray bytes is not opened under a shorter or guessed name.
  const std::string real = folder.Write("a.txt", "text");
  EXPECT_TRUE(IsRegularFile(real));
  EXPECT_FALSE(IsRegularFile(real + std::string("\0.png", 5)));
  EXPECT_EQ(OpenFile(real + std::string("\0", 1), "rb"), nullptr);
  EXPECT_EQ(OpenFile(folder.Path() + "/\xC3(.txt", "wb"), nullptr);
  EXPECT_EQ(OpenFile(real, nullptr), nullptr);
  EXPECT_FALSE(ReadFileBytes(folder.Path() + "/\xFF.txt", 1024, bytes));
}

TEST(WindowsFileAccess, AbsolutePathsStartAtADriveOrAShare) {
  EXPECT_TRUE(IsAbsolutePath("C:/Program Files"));
  EXPECT_TRUE(IsAbsolutePath("c:\\Users"));
  EXPECT_TRUE(IsAbsolutePath("//server/share/x.png"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  // Relative to the current drive's root or folder: they depend on where the host runs.
  EXPECT_FALSE(IsAbsolutePath("/Users/knob.png"));
  EXPECT_FALSE(IsAbsolutePath("C:knob.png"));
  EXPECT_FALSE(IsAbsolutePath("knob.png"));
  EXPECT_FALSE(IsAbsolutePath("1:/x"));
  EXPECT_FALSE(IsAbsolutePath(""));
}
