#include "IByteChunk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(IByteChunk, ValuesReadBackAtTheirPositionsInLittleEndianOrder) {
  IByteChunk chunk;
  EXPECT_EQ(chunk.Put(int32_t{0x01020304}), 4);
  EXPECT_EQ(chunk.Put(2.5), 12);
  EXPECT_EQ(chunk.GetData()[0], 0x04);
  EXPECT_EQ(chunk.GetData()[3], 0x01);

  int32_t i = 0;
  double d = 0.0;
  EXPECT_EQ(chunk.Get(i, 0), 4);
  EXPECT_EQ(chunk.Get(d, 4), 12);
  EXPECT_EQ(i, 0x01020304);
  EXPECT_EQ(d, 2.5);
}

TEST(IByteChunk, ReadsOutsideTheBytesFailWithoutTouchingTheDestination) {
  IByteChunk chunk;
  chunk.Put(1.0);
  double d = 7.0;
  EXPECT_EQ(chunk.Get(d, 1), -1);
  EXPECT_EQ(chunk.Get(d, 8), -1);
  EXPECT_EQ(chunk.Get(d, -1), -1);
  EXPECT_EQ(chunk.Get(d, std::numeric_limits<int>::max()), -1);
  EXPECT_EQ(d, 7.0);

  uint8_t byte = 0;
  EXPECT_EQ(chunk.GetBytes(&byte, -1, 0), -1);
  EXPECT_EQ(chunk.GetBytes(nullptr, 1, 0), -1);
  EXPECT_EQ(chunk.GetBytes(&byte, 0, 8), 8);
}

TEST(IByteChunk, StringsCarryTheirLengthAndRejectLengthsPastTheEnd) {
  IByteChunk chunk;
  chunk.PutStr("Kelvora");
  EXPECT_EQ(chunk.Size(), 4 + 7);
  std::string text;
  EXPECT_EQ(chunk.GetStr(text, 0), 11);
  EXPECT_EQ(text, "Kelvora");

  IByteChunk forged;
  forged.Put(int32_t{1000});
  forged.PutBytes("abc", 3);
  text = "unchanged";
  EXPECT_EQ(forged.GetStr(text, 0), -1);
  EXPECT_EQ(text, "unchanged");

  IByteChunk negative;
  negative.Put(int32_t{-5});
  EXPECT_EQ(negative.GetStr(text, 0), -1);
}

TEST(IByteChunk, AppendingItsOwnBytesDuplicatesThem) {
  IByteChunk chunk;
  chunk.PutBytes("ab", 2);
  chunk.PutChunk(chunk);
  chunk.PutBytes(chunk.GetData(), chunk.Size());
  ASSERT_EQ(chunk.Size(), 8);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(chunk.GetData()), 8), "abababab");
}

TEST(IByteChunk, ResizeZeroFillsAndNegativeSizesEmpty) {
  IByteChunk chunk;
  chunk.PutBytes("x", 1);
  EXPECT_EQ(chunk.Resize(3), 3);
  EXPECT_EQ(chunk.GetData()[2], 0);
  EXPECT_EQ(chunk.Resize(-4), 0);
  IByteChunk other;
  EXPECT_TRUE(chunk.IsEqual(other));
}
