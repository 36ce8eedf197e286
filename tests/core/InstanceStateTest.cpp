// The state a host stores for the instance: the parameter chunk, then the host bypass as a
// 32-bit integer; short, cut and damaged bytes.
#include "InstanceFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

IByteChunk SavedState(double gain, bool on, bool bypassed) {
  TestInstance plug;
  plug.GetParam(0)->SetValue(gain);
  plug.GetParam(1)->SetValue(on ? 1.0 : 0.0);
  plug.SetBypassed(bypassed);
  IByteChunk chunk;
  EXPECT_TRUE(plug.WriteHostState(chunk));
  return chunk;
}

void SetTrailer(IByteChunk& chunk, int32_t value) {
  std::memcpy(chunk.GetData() + chunk.Size() - sizeof(value), &value, sizeof(value));
}

int Shown(const TestInstance& plug) {
  int n = 0;
  for (const auto& call : plug.calls)
    n += call.hook == "shown normalised";
  return n;
}

TEST(InstanceState, BytesAreEachValueAsADoubleThenTheBypassAsAnInteger) {
  const IByteChunk chunk = SavedState(7.25, true, true);
  ASSERT_EQ(chunk.Size(), 2 * 8 + 4);
  double values[2];
  int32_t bypassed = 0;
  std::memcpy(values, chunk.GetData(), sizeof(values));
  std::memcpy(&bypassed, chunk.GetData() + 16, sizeof(bypassed));
  EXPECT_EQ(values[0], 7.25);
  EXPECT_EQ(values[1], 1.0);
  EXPECT_EQ(bypassed, 1);
  EXPECT_EQ(chunk.GetData()[chunk.Size() - 4], 1);

  const IByteChunk off = SavedState(7.25, true, false);
  EXPECT_TRUE(std::equal(off.GetData(), off.GetData() + 16, chunk.GetData()));
  int32_t offFlag = -1;
  std::memcpy(&offFlag, off.GetData() + 16, sizeof(offFlag));
  EXPECT_EQ(offFlag, 0);
}

TEST(InstanceState, RoundTripRestoresValuesAndBypassAndShowsEveryValue) {
  const IByteChunk chunk = SavedState(3.5, true, true);
  TestInstance plug;
  ASSERT_TRUE(plug.ReadHostState(chunk));
  EXPECT_EQ(plug.Values(), (std::vector<double>{3.5, 1.0}));
  EXPECT_TRUE(plug.IsBypassed());
  EXPECT_EQ(Shown(plug), 2);
  IByteChunk again;
  ASSERT_TRUE(plug.WriteHostState(again));
  EXPECT_TRUE(again.IsEqual(chunk));

  // Any positive integer is on, anything else off.
  IByteChunk trailer = chunk;
  for (int32_t value : {5, 0, -3}) {
    SetTrailer(trailer, value);
    ASSERT_TRUE(plug.ReadHostState(trailer));
    EXPECT_EQ(plug.IsBypassed(), value > 0) << value;
  }
}

TEST(InstanceState, TooFewBytesForAWholeStateChangeNothing) {
  TestInstance plug;
  plug.SetBypassed(true);
  const std::vector<double> before = plug.Values();
  const IByteChunk saved = SavedState(9.0, true, false);
  for (int size : {0, 1, 8, 15}) {
    IByteChunk cut = saved;
    cut.Resize(size);
    EXPECT_FALSE(plug.ReadHostState(cut)) << size;
  }
  EXPECT_EQ(plug.Values(), before);
  EXPECT_TRUE(plug.IsBypassed());
  EXPECT_EQ(Shown(plug), 0);
}

// Hosts that cut the bytes after the values still have them restored, but hear of the refusal
// and keep the bypass they had.
TEST(InstanceState, AStateWithoutItsBypassKeepsTheValuesButIsRefused) {
  IByteChunk cut = SavedState(9.0, true, false);
  cut.Resize(cut.Size() - 1);
  TestInstance plug;
  plug.SetBypassed(true);
  EXPECT_FALSE(plug.ReadHostState(cut));
  EXPECT_EQ(plug.Values(), (std::vector<double>{9.0, 1.0}));
  EXPECT_TRUE(plug.IsBypassed());
  EXPECT_EQ(Shown(plug), 0);
}

TEST(InstanceState, DamagedBytesLandOnlyAsValidValues) {
  TestInstance plug;
  std::mt19937 random(11);
  for (int round = 0; round < 200; ++round) {
    IByteChunk bytes;
    const int size = static_cast<int>(random() % 40);
    for (int i = 0; i < size; ++i)
      bytes.Put(static_cast<uint8_t>(random()));
    plug.ReadHostState(bytes);
    for (int i = 0; i < plug.NParams(); ++i) {
      const IParam& param = *plug.GetParam(i);
      ASSERT_GE(param.Value(), param.Min()) << round;
      ASSERT_LE(param.Value(), param.Max()) << round;
    }
  }
}

} // namespace
