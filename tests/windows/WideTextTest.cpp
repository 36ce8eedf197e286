#include "WideText.h"

#include <gtest/gtest.h>

TEST(WideText, RoundTripsTextBeyondAscii) {
  const std::string utf8 = "Kelvora \xE2\x80\x93 \xC3\x9C \xE2\x82\xAC \xF0\x9F\x98\x80";
  const std::wstring wide = WideFromUtf8(utf8);
  const std::wstring expected = {L'K',   L'e', L'l',   L'v', L'o',   L'r', L'a',   L' ',
                                 0x2013, L' ', 0x00DC, L' ', 0x20AC, L' ', 0xD83D, 0xDE00};
  EXPECT_EQ(wide, expected);
  EXPECT_EQ(Utf8FromWide(wide), utf8);
  EXPECT_TRUE(WideFromUtf8("").empty());
  EXPECT_TRUE(Utf8FromWide(L"").empty());
}

TEST(WideText, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(WideFromUtf8("a\xFF"
                         "b"),
            (std::wstring{L'a', 0xFFFD, L'b'}));
  const std::wstring cut = WideFromUtf8("a\xE2\x82");
  ASSERT_FALSE(cut.empty());
  EXPECT_EQ(cut.front(), L'a');
  EXPECT_EQ(cut.back(), 0xFFFD);
  EXPECT_EQ(Utf8FromWide(std::wstring{L'a', 0xD800, L'b'}), "a\xEF\xBF\xBD"
                                                            "b");
}
