// A host block through the instance: pieces of the prepared size, each with its own transport
// position, the host bypass, and blocks it cannot or need not render.
#include "InstanceFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kBlock = 64;
constexpr int kLong = 3 * kBlock + 17;

template <class Sample> void ExpectLongBlockInPieces(ESampleSize size) {
  TestInstance plug;
  ASSERT_TRUE(plug.Prepare(48000.0, kBlock, size));
  TimeInfo time;
  time.mSamplePos = 1000.0;
  plug.SetTimeInfo(time);
  TestHostBlock<Sample> block(plug, kLong);
  plug.ProcessAudio(block);

  EXPECT_EQ(plug.pieces, (std::vector<int>{kBlock, kBlock, kBlock, 17}));
  EXPECT_EQ(block.boundOffsets, (std::vector<int>{0, kBlock, 2 * kBlock, 3 * kBlock}));
  EXPECT_EQ(plug.piecePositions, (std::vector<double>{1000.0, 1000.0 + kBlock, 1000.0 + 2 * kBlock,
                                                      1000.0 + 3 * kBlock}));
  for (int ch = 0; ch < 2; ++ch)
    for (int s = 0; s < kLong; ++s)
      ASSERT_NEAR(block.out[ch][s], block.in[ch][s] + 1.0, 1e-6) << ch << " " << s;
}

TEST(InstanceProcess, LongerThanPreparedIsRenderedInPieces) {
  ExpectLongBlockInPieces<double>(kSamples64);
  ExpectLongBlockInPieces<float>(kSamples32);
}

TEST(InstanceProcess, UnknownTransportPositionStaysUnknownInEveryPiece) {
  TestInstance plug;
  ASSERT_TRUE(plug.Prepare(48000.0, kBlock, kSamples64));
  TestHostBlock<double> block(plug, 2 * kBlock);
  plug.ProcessAudio(block);
  EXPECT_EQ(plug.piecePositions, (std::vector<double>{-1.0, -1.0}));
}

TEST(InstanceProcess, HostBypassCopiesTheInputUntouched) {
  TestInstance plug;
  ASSERT_TRUE(plug.Prepare(48000.0, kBlock, kSamples64));
  plug.SetBypassFromHost(1.0);
  TestHostBlock<double> block(plug, kLong);
  plug.ProcessAudio(block);
  EXPECT_TRUE(plug.pieces.empty());
  EXPECT_EQ(block.boundOffsets.size(), 4u);
  for (int ch = 0; ch < 2; ++ch)
    EXPECT_EQ(block.out[ch], block.in[ch]) << ch;

  plug.SetBypassFromHost(0.0);
  plug.ProcessAudio(block);
  EXPECT_EQ(plug.pieces.size(), 4u);
}

// The host plays its buffers whatever the plug-in does with them: a block it cannot read must
// leave them silent rather than holding what they held before.
TEST(InstanceProcess, OtherSampleSizeThanPreparedIsSilenced) {
  TestInstance plug;
  ASSERT_TRUE(plug.Prepare(48000.0, kBlock, kSamples64));
  TestHostBlock<float> block(plug, kBlock, 0.75f);
  plug.ProcessAudio(block);
  EXPECT_EQ(block.silenced, 1);
  EXPECT_TRUE(block.boundOffsets.empty());
  EXPECT_TRUE(plug.pieces.empty());
  for (int ch = 0; ch < 2; ++ch)
    EXPECT_EQ(block.out[ch], std::vector<float>(kBlock, 0.f)) << ch;
}

TEST(InstanceProcess, BlocksWithNothingToRenderTouchNoBuffer) {
  TestInstance plug;
  // Not prepared: no block size to render in.
  TestHostBlock<float> unprepared(plug, kBlock, 0.75f);
  plug.ProcessAudio(unprepared);
  EXPECT_TRUE(unprepared.boundOffsets.empty());

  ASSERT_TRUE(plug.Prepare(48000.0, kBlock, kSamples32));
  TestHostBlock<float> empty(plug, 0);
  plug.ProcessAudio(empty);
  EXPECT_TRUE(empty.boundOffsets.empty());
  EXPECT_EQ(plug.CountConnected(kOutput), 2);

  // Without outputs no stale host pointer may stay bound.
  TestHostBlock<float> noOutputs(plug, kBlock, 0.75f);
  noOutputs.hasOutputs = false;
  plug.ProcessAudio(noOutputs);
  EXPECT_TRUE(noOutputs.boundOffsets.empty());
  EXPECT_EQ(noOutputs.silenced, 0);
  EXPECT_EQ(plug.CountConnected(kInput), 0);
  EXPECT_EQ(plug.CountConnected(kOutput), 0);
  EXPECT_TRUE(plug.pieces.empty());
  EXPECT_EQ(unprepared.out[0], std::vector<float>(kBlock, 0.75f));
}

} // namespace
