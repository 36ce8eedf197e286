#include "AlignedComparison.h"
#include "TestSignal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

AudioBuffer Shifted(const AudioBuffer& in, long by, long extraTail) {
  AudioBuffer out = in;
  for (auto& channel : out.channels) {
    if (by > 0) {
      channel.insert(channel.begin(), by, 0.0);
    } else {
      channel.erase(channel.begin(), channel.begin() - by);
    }
    channel.resize(channel.size() + extraTail, 0.0);
  }
  return out;
}

TEST(AlignedComparison, FindsTheHostsShiftAndIgnoresItsTail) {
  const AudioBuffer reference = MakeTestSignal(0.25, 48000);
  for (long shift : {0L, 1L, 37L, -64L}) {
    ComparisonResult result;
    std::string error;
    ASSERT_TRUE(CompareAligned(Shifted(reference, shift, 300), reference, 256, result, error))
        << error;
    EXPECT_EQ(result.lag, shift);
    EXPECT_EQ(result.maxDifference, 0.0);
    EXPECT_EQ(result.comparedFrames, reference.NumFrames() - (shift < 0 ? -shift : 0));
  }
}

TEST(AlignedComparison, ReportsDifferencesAndShortOutput) {
  const AudioBuffer reference = MakeTestSignal(0.25, 48000);
  AudioBuffer host = reference;
  host.channels[1][5000] += 0.01;
  ComparisonResult result;
  std::string error;
  ASSERT_TRUE(CompareAligned(host, reference, 16, result, error)) << error;
  EXPECT_EQ(result.lag, 0);
  EXPECT_NEAR(result.maxDifference, 0.01, 1e-12);
  EXPECT_GT(result.rmsDifference, 0.0);

  AudioBuffer shortHost = reference;
  for (auto& channel : shortHost.channels)
    channel.resize(channel.size() - 100);
  ASSERT_TRUE(CompareAligned(shortHost, reference, 16, result, error)) << error;
  EXPECT_EQ(result.comparedFrames, reference.NumFrames() - 100);

  for (auto& channel : shortHost.channels)
    channel.resize(100);
  EXPECT_FALSE(CompareAligned(shortHost, reference, 16, result, error));

  AudioBuffer mono = reference;
  mono.channels.pop_back();
  EXPECT_FALSE(CompareAligned(mono, reference, 16, result, error));
  EXPECT_NE(error.find("channels"), std::string::npos);
}

TEST(TestSignal, ChannelsDifferAndSoundOnlyBetweenSilentEnds) {
  const AudioBuffer signal = MakeTestSignal(0.5, 44100);
  ASSERT_EQ(signal.NumChannels(), 2);
  ASSERT_EQ(signal.NumFrames(), 22050);
  AudioBuffer left = signal, right = signal;
  left.channels = {signal.channels[0]};
  right.channels = {signal.channels[1]};
  EXPECT_GT(MaxDifference(left, right), 0.5);
  const long leadEnd = 4410;
  const long tailStart = signal.NumFrames() - signal.NumFrames() / 8;
  double peak = 0, ends = 0;
  for (const auto& channel : signal.channels) {
    for (long i = 0; i < signal.NumFrames(); ++i) {
      double& level = i < leadEnd || i >= tailStart ? ends : peak;
      level = std::max(level, std::abs(channel[i]));
    }
    EXPECT_NE(channel[leadEnd + 1], 0.0);
  }
  EXPECT_GT(peak, 0.8);
  EXPECT_LT(peak, 1.0);
  EXPECT_EQ(ends, 0.0);
}

} // namespace
