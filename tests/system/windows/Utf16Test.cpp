#include "Utf16.h"

#include <gtest/gtest.h>

namespace {

// "Kelvora ♫ Ümläut 日本 🎸": one to four bytes per character, the last one a surrogate pair.
const std::string kMixedUtf8 =
    "Kelvora \xE2\x99\xAB \xC3\x9Cml\xC3\xA4ut \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB8";
const std::wstring kMixedUtf16 = L"Kelvora \x266B \x00DCml\x00E4ut \x65E5\x672C \xD83C\xDFB8";

} // namespace

TEST(Utf16, TextOfEveryLengthCrossesBothWays) {
  std::wstring wide;
  ASSERT_TRUE(Utf8ToUtf16(kMixedUtf8, wide));
  EXPECT_EQ(wide, kMixedUtf16);
  std::string narrow;
  ASSERT_TRUE(Utf16ToUtf8(kMixedUtf16, narrow));
  EXPECT_EQ(narrow, kMixedUtf8);

  EXPECT_TRUE(Utf8ToUtf16("", wide));
  EXPECT_TRUE(wide.empty());
  EXPECT_TRUE(Utf16ToUtf8(L"", narrow));
  EXPECT_TRUE(narrow.empty());
}

TEST(Utf16, InvalidUtf8IsRefusedNotGuessed) {
  const std::string invalid[] = {
      "\x80",             // a continuation byte alone
      "ab\xC3",           // a sequence cut short at the end
      "\xC3(",            // a sequence cut short by ASCII
      "\xC0\xAF",         // an overlong "/", which could smuggle a separator in
      "\xED\xA0\x80",     // a surrogate written as UTF-8
      "\xF4\x90\x80\x80", // beyond U+10FFFF
      "\xFF",             // never part of UTF-8
      std::string("x\xE2\x99", 3),
  };
  for (const std::string& text : invalid) {
    std::wstring wide = L"stale";
    EXPECT_FALSE(Utf8ToUtf16(text, wide)) << testing::PrintToString(text);
    EXPECT_TRUE(wide.empty());
  }
}

TEST(Utf16, UnpairedSurrogatesAreRefused) {
  const std::wstring invalid[] = {std::wstring(1, wchar_t(0xD83C)),
                                  std::wstring(1, wchar_t(0xDFB8)),
                                  std::wstring(L"a") + wchar_t(0xD83C) + L"b"};
  for (const std::wstring& text : invalid) {
    std::string narrow = "stale";
    EXPECT_FALSE(Utf16ToUtf8(text, narrow));
    EXPECT_TRUE(narrow.empty());
  }
}

TEST(Utf16, PathsTakeEachSidesSeparators) {
  std::wstring wide;
  ASSERT_TRUE(WidePath("C:/Program Files/Common Files/VST3/" + kMixedUtf8, wide));
  EXPECT_EQ(wide, L"C:\\Program Files\\Common Files\\VST3\\" + kMixedUtf16);
  EXPECT_EQ(FrameworkPath(L"C:\\Users\\" + kMixedUtf16 + L"\\Music"),
            "C:/Users/" + kMixedUtf8 + "/Music");
  EXPECT_EQ(FrameworkPath(L"\\\\server\\share\\x"), "//server/share/x");
}

TEST(Utf16, PathsThatWouldNameAnotherFileAreRefused) {
  std::wstring wide = L"stale";
  EXPECT_FALSE(WidePath(std::string("C:/a.txt\0.png", 14), wide));
  EXPECT_TRUE(wide.empty());
  EXPECT_FALSE(WidePath("C:/\xC0\xAF"
                        "etc",
                        wide));
  EXPECT_EQ(FrameworkPath(std::wstring(L"C:\\") + wchar_t(0xDC00)), "");
}
