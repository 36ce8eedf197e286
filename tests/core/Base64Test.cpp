#include "Base64.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

TEST(Base64, EncodesWithTheStandardAlphabetAndPadding) {
  const std::string text = "Man is distinguished";
  auto encode = [](const std::string& s) {
    return Base64Encode(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  };
  EXPECT_EQ(encode(text), "TWFuIGlzIGRpc3Rpbmd1aXNoZWQ=");
  EXPECT_EQ(encode("M"), "TQ==");
  EXPECT_EQ(encode("Ma"), "TWE=");
  EXPECT_EQ(encode(""), "");
  const uint8_t high[] = {0xFB, 0xFF, 0xBF};
  EXPECT_EQ(Base64Encode(high, 3), "+/+/");
}

TEST(Base64, DecodingRoundTripsEveryByteValue) {
  std::vector<uint8_t> bytes(256);
  for (int i = 0; i < 256; ++i)
    bytes[i] = static_cast<uint8_t>(i);
  const std::string text = Base64Encode(bytes.data(), bytes.size());
  std::vector<uint8_t> decoded(256, 0xAA);
  EXPECT_EQ(Base64Decode(text.c_str(), decoded.data(), decoded.size()), 256u);
  EXPECT_EQ(decoded, bytes);
}

TEST(Base64, DecodingStopsAtTheFirstForeignCharacterOrTheSizeAndZeroesTheRest) {
  uint8_t out[6];
  std::memset(out, 0xAA, sizeof(out));
  EXPECT_EQ(Base64Decode("TWFu*GlzIGRp", out, sizeof(out)), 3u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 6), std::string("Man\0\0\0", 6));
  EXPECT_EQ(Base64Decode("TQ==TWFu", out, sizeof(out)), 1u);
  EXPECT_EQ(out[0], 'M');
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(Base64Decode("TWFuIGlzIGRp", out, 2), 2u);
  EXPECT_EQ(out[2], 0);
  EXPECT_EQ(Base64Decode(nullptr, out, sizeof(out)), 0u);
  EXPECT_EQ(Base64Decode("TWFu", nullptr, 4), 0u);
  // A length bound keeps the decoder inside text that has no terminator.
  const char unterminated[4] = {'T', 'W', 'F', 'u'};
  EXPECT_EQ(Base64Decode(unterminated, 2, out, sizeof(out)), 1u);
}
