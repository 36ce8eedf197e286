// Text across the host boundary: UTF-8 inside, UTF-16 outside, cut without breaking characters.
#include "Utf16Text.h"

#include <gtest/gtest.h>

using Steinberg::char16;

namespace {

TEST(Utf16Text, RoundTripOfEveryWidth) {
  const char* text = "G\xC3\xA4in \xE2\x82\xAC \xF0\x9F\x8E\xB8"; // "Gäin € 🎸"
  char16 wide[32];
  Utf8ToUtf16(text, wide, 32);
  EXPECT_EQ(wide[1], 0x00E4);
  EXPECT_EQ(wide[5], 0x20AC);
  EXPECT_EQ(wide[7], 0xD83C);
  EXPECT_EQ(wide[8], 0xDFB8);
  EXPECT_EQ(wide[9], 0);
  EXPECT_EQ(Utf16ToUtf8(wide, 32, 64), text);
}

TEST(Utf16Text, CutsAtCharacterBoundaries) {
  char16 wide[4];
  Utf8ToUtf16("ab\xF0\x9F\x8E\xB8", wide, 4); // the pair would not fit beside its terminator
  EXPECT_EQ(wide[2], 0);
  const char16 euros[] = {0x20AC, 0x20AC, 0};
  EXPECT_EQ(Utf16ToUtf8(euros, 8, 4), "\xE2\x82\xAC");
  EXPECT_EQ(Utf16ToUtf8(euros, 1, 64), "\xE2\x82\xAC");
}

TEST(Utf16Text, MalformedInputBecomesReplacementCharacters) {
  char16 wide[8];
  Utf8ToUtf16("\xC3", wide, 8); // a lead byte and then the terminator
  EXPECT_EQ(wide[0], 0xFFFD);
  EXPECT_EQ(wide[1], 0);
  Utf8ToUtf16("\xC0\xAF", wide, 8); // overlong '/'
  EXPECT_EQ(wide[0], 0xFFFD);
  const char16 lone[] = {0xDC00, 'x', 0};
  EXPECT_EQ(Utf16ToUtf8(lone, 8, 16), "\xEF\xBF\xBDx");
  Utf8ToUtf16(nullptr, wide, 8);
  EXPECT_EQ(wide[0], 0);
  EXPECT_EQ(Utf16ToUtf8(nullptr, 8, 8), "");
}

} // namespace
