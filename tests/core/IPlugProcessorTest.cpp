#include "ProcessorTestConfig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {
// Host-side channel buffers of one block.
template <class T> struct HostBuffers {
  HostBuffers(int nChans, int nFrames, T fill)
      : storage(static_cast<size_t>(nChans), std::vector<T>(static_cast<size_t>(nFrames), fill)) {
    for (auto& channel : storage)
      pointers.push_back(channel.data());
  }
  std::vector<std::vector<T>> storage;
  std::vector<T*> pointers;
};

// Adds 1 to every sample: shows which buffers the block operation saw.
class PlusOneProcessor : public TestProcessor {
public:
  using TestProcessor::TestProcessor;
  void RenderBlock(double** inputs, double** outputs, int nFrames) override {
    mLastFrames = nFrames;
    for (int ch = 0; ch < NChannels(kOutput); ++ch)
      for (int i = 0; i < nFrames; ++i)
        outputs[ch][i] = inputs[ch][i] + 1.0;
  }
  int mLastFrames = -1;
};
} // namespace

TEST(IPlugProcessor, StartsWithTheDocumentedSettings) {
  Config config = ProcessorTestConfig("1-1 2-2", 5);
  config.plugType = 1;
  config.plugDoesMidiIn = true;
  TestProcessor processor(config);
  EXPECT_EQ(processor.GetSampleRate(), 48000.0);
  EXPECT_EQ(processor.GetBlockSize(), 0);
  EXPECT_EQ(processor.GetLatency(), 5);
  EXPECT_EQ(processor.GetTailSize(), 0);
  EXPECT_FALSE(processor.GetRenderingOffline());
  EXPECT_EQ(processor.GetPlugType(), 1);
  EXPECT_TRUE(processor.DoesMidiIn());
  EXPECT_FALSE(processor.DoesMidiOut());
  EXPECT_EQ(processor.CountConnected(kInput), 0);
  const TimeInfo& time = processor.GetTimeInfo();
  EXPECT_EQ(time.mTempo, 120.0);
  EXPECT_EQ(time.mSamplePos, -1.0);
  EXPECT_EQ(time.mNumerator, 4);
  EXPECT_EQ(time.mDenominator, 4);
  EXPECT_FALSE(time.mTransportIsRunning);
}

TEST(IPlugProcessor, BeatLengthFollowsTempo) {
  TestProcessor processor(ProcessorTestConfig("2-2"));
  EXPECT_EQ(processor.BeatLength(), 24000.0);
  TimeInfo time;
  time.mTempo = 0.0;
  processor.SetTimeInfo(time);
  EXPECT_EQ(processor.BeatLength(), 0.0);
}

TEST(IPlugProcessor, MarkChannelsClipsToExistingChannels) {
  TestProcessor processor(ProcessorTestConfig("1-1 2-2"));
  processor.MarkChannels(kOutput, 1, 10, true);
  EXPECT_EQ(processor.CountConnected(kOutput), 1);
  EXPECT_TRUE(processor.IsChannelConnected(kOutput, 1));
  processor.MarkChannels(kOutput, -3, 4, true);
  EXPECT_EQ(processor.CountConnected(kOutput), 2);
  processor.MarkChannels(kInput, 5, 2, true);
  processor.MarkChannels(kInput, 0, -1, true);
  EXPECT_EQ(processor.CountConnected(kInput), 0);
}

TEST(IPlugProcessor, DisconnectedChannelUsesItsScratchBuffer) {
  PlusOneProcessor processor(ProcessorTestConfig("2-2"));
  processor.ResizeScratch(8);
  processor.MarkChannels(kInput, 0, 2, true);
  processor.MarkChannels(kOutput, 0, 1, true);
  processor.MarkChannels(kOutput, 1, 1, false);

  HostBuffers<double> in(2, 8, 1.0);
  HostBuffers<double> out(1, 8, 0.0);
  processor.BindHostBuffers(kInput, 0, 2, in.pointers.data());
  processor.BindHostBuffers(kOutput, 0, 2, out.pointers.data());

  EXPECT_EQ(processor.InputSlots()[0], in.pointers[0]);
  EXPECT_EQ(processor.OutputSlots()[0], out.pointers[0]);
  EXPECT_NE(processor.OutputSlots()[1], nullptr);
  EXPECT_NE(processor.OutputSlots()[1], out.pointers[0]);

  processor.RunEffectBlock(8);
  EXPECT_EQ(out.storage[0][7], 2.0);
  EXPECT_EQ(processor.OutputSlots()[1][0], 2.0);
}

TEST(IPlugProcessor, NullHostPointersLeaveSlotsOnScratch) {
  PlusOneProcessor processor(ProcessorTestConfig("2-2"));
  processor.ResizeScratch(4);
  processor.MarkChannels(kInput, 0, 2, true);
  processor.MarkChannels(kOutput, 0, 2, true);
  double* partial[2] = {nullptr, nullptr};
  processor.BindHostBuffers(kInput, 0, 2, nullptr);
  processor.BindHostBuffers(kOutput, 0, 2, partial);
  float* partial32[2] = {nullptr, nullptr};
  processor.BindHostBuffers32(kInput, 0, 2, nullptr, 4);
  processor.BindHostBuffers32(kOutput, 0, 2, partial32, 4);
  processor.RunEffectBlock32(4);
  EXPECT_EQ(processor.OutputSlots()[1][3], 1.0);
}

TEST(IPlugProcessor, ThirtyTwoBitBuffersAreConvertedBothWays) {
  PlusOneProcessor processor(ProcessorTestConfig("2-2"));
  processor.ResizeScratch(4);
  processor.MarkChannels(kInput, 0, 2, true);
  processor.MarkChannels(kOutput, 0, 2, true);
  HostBuffers<float> in(2, 4, 0.25f);
  HostBuffers<float> out(2, 4, -9.0f);
  processor.BindHostBuffers32(kInput, 0, 2, in.pointers.data(), 4);
  processor.BindHostBuffers32(kOutput, 0, 2, out.pointers.data(), 4);
  processor.RunEffectBlock32(4);
  for (int ch = 0; ch < 2; ++ch)
    for (float sample : out.storage[ch])
      EXPECT_EQ(sample, 1.25f);

  processor.CopyThrough32(4);
  EXPECT_EQ(out.storage[1][0], 0.25f);
}

TEST(IPlugProcessor, LongerBlocksThanAnnouncedAreClippedToTheScratchSize) {
  PlusOneProcessor processor(ProcessorTestConfig("1-1"));
  processor.ResizeScratch(4);
  processor.MarkChannels(kInput, 0, 1, true);
  processor.MarkChannels(kOutput, 0, 1, true);
  HostBuffers<float> in(1, 10, 0.5f);
  HostBuffers<float> out(1, 10, -9.0f);
  processor.BindHostBuffers32(kInput, 0, 1, in.pointers.data(), 10);
  processor.BindHostBuffers32(kOutput, 0, 1, out.pointers.data(), 10);
  processor.RunEffectBlock32(10);
  EXPECT_EQ(processor.mLastFrames, 4);
  EXPECT_EQ(out.storage[0][3], 1.5f);
  EXPECT_EQ(out.storage[0][4], 0.0f);
  EXPECT_EQ(out.storage[0][9], 0.0f);
}

TEST(IPlugProcessor, HostBuffersOnlyAreNotClipped) {
  PlusOneProcessor processor(ProcessorTestConfig("1-1"));
  processor.ResizeScratch(4);
  processor.MarkChannels(kInput, 0, 1, true);
  processor.MarkChannels(kOutput, 0, 1, true);
  HostBuffers<double> in(1, 10, 0.0);
  HostBuffers<double> out(1, 10, 0.0);
  processor.BindHostBuffers(kInput, 0, 1, in.pointers.data());
  processor.BindHostBuffers(kOutput, 0, 1, out.pointers.data());
  processor.RunEffectBlock(10);
  EXPECT_EQ(processor.mLastFrames, 10);
  EXPECT_EQ(out.storage[0][9], 1.0);
}

TEST(IPlugProcessor, ResizeKeepsDisconnectedSlotsOnValidZeroedStorage) {
  TestProcessor processor(ProcessorTestConfig("2-2"));
  processor.ResizeScratch(4);
  processor.OutputSlots()[0][3] = 5.0;
  processor.ClearScratch();
  EXPECT_EQ(processor.OutputSlots()[0][3], 0.0);
  processor.ResizeScratch(4096);
  EXPECT_EQ(processor.GetBlockSize(), 4096);
  processor.OutputSlots()[1][4095] = 1.0;
  processor.RunEffectBlock(4096);
  EXPECT_EQ(processor.OutputSlots()[1][4095], 0.0);
}

TEST(IPlugProcessor, DefaultRenderCopiesAndSilences) {
  TestProcessor processor(ProcessorTestConfig("1-2"));
  processor.ResizeScratch(3);
  processor.MarkChannels(kInput, 0, 1, true);
  processor.MarkChannels(kOutput, 0, 2, true);
  HostBuffers<double> in(1, 3, 0.5);
  HostBuffers<double> out(2, 3, 9.0);
  processor.BindHostBuffers(kInput, 0, 1, in.pointers.data());
  processor.BindHostBuffers(kOutput, 0, 2, out.pointers.data());
  processor.RunEffectBlock(3);
  EXPECT_EQ(out.storage[0][2], 0.5);
  EXPECT_EQ(out.storage[1][2], 0.0);

  out.storage[1][0] = 9.0;
  processor.CopyThrough(3);
  EXPECT_EQ(out.storage[0][0], 0.5);
  EXPECT_EQ(out.storage[1][0], 0.0);
}

TEST(IPlugProcessor, CopyThroughDelaysByTheLatencyAcrossBlocks) {
  TestProcessor processor(ProcessorTestConfig("2-2", 3));
  processor.CreateLatencyDelayLine();
  ASSERT_NE(processor.GetLatencyDelayLine(), nullptr);
  processor.ResizeScratch(4);
  processor.MarkChannels(kInput, 0, 2, true);
  processor.MarkChannels(kOutput, 0, 2, true);

  std::vector<double> received[2];
  double next = 1.0;
  for (int block : {4, 2, 1, 4}) {
    HostBuffers<double> in(2, block, 0.0);
    HostBuffers<double> out(2, block, -1.0);
    for (int i = 0; i < block; ++i, next += 1.0) {
      in.storage[0][i] = next;
      in.storage[1][i] = -next;
    }
    processor.BindHostBuffers(kInput, 0, 2, in.pointers.data());
    processor.BindHostBuffers(kOutput, 0, 2, out.pointers.data());
    processor.CopyThrough(block);
    for (int ch = 0; ch < 2; ++ch)
      received[ch].insert(received[ch].end(), out.storage[ch].begin(), out.storage[ch].end());
  }
  ASSERT_EQ(received[0].size(), 11u);
  for (size_t i = 0; i < 11; ++i) {
    const double expected = i < 3 ? 0.0 : static_cast<double>(i - 2);
    EXPECT_EQ(received[0][i], expected) << i;
    EXPECT_EQ(received[1][i], -expected) << i;
  }
}

TEST(IPlugProcessor, CopyThroughWithLatencyWorksInPlace) {
  TestProcessor processor(ProcessorTestConfig("1-1", 2));
  processor.CreateLatencyDelayLine();
  processor.ResizeScratch(4);
  processor.MarkChannels(kInput, 0, 1, true);
  processor.MarkChannels(kOutput, 0, 1, true);
  std::vector<double> buffer = {1.0, 2.0, 3.0, 4.0};
  double* pointers[1] = {buffer.data()};
  processor.BindHostBuffers(kInput, 0, 1, pointers);
  processor.BindHostBuffers(kOutput, 0, 1, pointers);
  processor.CopyThrough(4);
  EXPECT_EQ(buffer, (std::vector<double>{0.0, 0.0, 1.0, 2.0}));
}

TEST(IPlugProcessor, ChangeLatencyResizesAndClearsTheDelayLine) {
  TestProcessor processor(ProcessorTestConfig("1-1", 3));
  processor.CreateLatencyDelayLine();
  processor.ChangeLatency(5);
  EXPECT_EQ(processor.GetLatency(), 5);
  EXPECT_EQ(processor.GetLatencyDelayLine()->Length(), 5);
  processor.ChangeLatency(-2);
  EXPECT_EQ(processor.GetLatency(), 0);

  TestProcessor noInputs(ProcessorTestConfig("0-2", 3));
  noInputs.CreateLatencyDelayLine();
  EXPECT_EQ(noInputs.GetLatencyDelayLine(), nullptr);
}

TEST(IPlugProcessor, MidiPassesThroughToTheOutput) {
  TestProcessor processor(ProcessorTestConfig("2-2"));
  processor.HandleMidiMessage(IMidiMsg(3, 0x90, 60, 100));
  ASSERT_EQ(processor.mEmitted.size(), 1u);
  EXPECT_EQ(processor.mEmitted[0], IMidiMsg(3, 0x90, 60, 100));

  const IMidiMsg list[3] = {IMidiMsg(0, 0x80, 1, 0), IMidiMsg(1, 0, 0, 0), IMidiMsg(2, 0x90, 2, 1)};
  EXPECT_FALSE(processor.EmitMidiMessages(list, 3));
  EXPECT_EQ(processor.mEmitted.size(), 4u);
  EXPECT_TRUE(processor.EmitMidiMessages(list, 0));
  EXPECT_FALSE(processor.EmitSysEx(ISysEx()));
}

namespace {
// One 32-bit stereo block as the VST 3 binding hands it over: inputs are marked disconnected
// first, then the channels the host sends are connected and bound; outputs likewise.
void Bind32(IPlugProcessor& processor, HostBuffers<float>* in, int nInputs,
            HostBuffers<float>& out) {
  processor.MarkChannels(kInput, 0, 2, false);
  processor.MarkChannels(kInput, 0, nInputs, true);
  if (in) processor.BindHostBuffers32(kInput, 0, nInputs, in->pointers.data(), 4);
  processor.MarkChannels(kOutput, 0, 2, true);
  processor.BindHostBuffers32(kOutput, 0, 2, out.pointers.data(), 4);
}
} // namespace

TEST(IPlugProcessor, MissingInputsReadAsSilenceInBothSampleSizes) {
  PlusOneProcessor processor(ProcessorTestConfig("2-2"));
  processor.ResizeScratch(4);
  HostBuffers<float> in(2, 4, 0.5f);
  HostBuffers<float> out(2, 4, -9.0f);
  Bind32(processor, &in, 2, out);
  processor.RunEffectBlock32(4);
  ASSERT_EQ(out.storage[1][3], 1.5f);

  // No input buses at all.
  Bind32(processor, nullptr, 0, out);
  processor.RunEffectBlock32(4);
  EXPECT_EQ(out.storage[0], std::vector<float>(4, 1.0f));
  EXPECT_EQ(out.storage[1], std::vector<float>(4, 1.0f));

  // The second channel missing; the pass-through hears silence there too.
  Bind32(processor, &in, 2, out);
  processor.RunEffectBlock32(4);
  HostBuffers<float> mono(1, 4, 0.25f);
  Bind32(processor, &mono, 1, out);
  processor.RunEffectBlock32(4);
  EXPECT_EQ(out.storage[0][0], 1.25f);
  EXPECT_EQ(out.storage[1], std::vector<float>(4, 1.0f));
  Bind32(processor, &in, 2, out);
  processor.RunEffectBlock32(4);
  Bind32(processor, &mono, 1, out);
  processor.CopyThrough32(4);
  EXPECT_EQ(out.storage[0][3], 0.25f);
  EXPECT_EQ(out.storage[1], std::vector<float>(4, 0.0f));

  // A host that switches to 64-bit samples at the same block size.
  Bind32(processor, &in, 2, out);
  processor.RunEffectBlock32(4);
  HostBuffers<double> out64(2, 4, -9.0);
  processor.MarkChannels(kInput, 0, 2, false);
  processor.MarkChannels(kOutput, 0, 2, true);
  processor.BindHostBuffers(kOutput, 0, 2, out64.pointers.data());
  processor.RunEffectBlock(4);
  EXPECT_EQ(out64.storage[0], std::vector<double>(4, 1.0));
  EXPECT_EQ(out64.storage[1], std::vector<double>(4, 1.0));
}

namespace {
// Writes a fixed pattern to every output: normal numbers of both sizes, numbers normal in 64-bit
// but subnormal in 32-bit, 64-bit subnormals, zeros, infinities and NaN.
class PatternProcessor : public TestProcessor {
public:
  using TestProcessor::TestProcessor;
  static std::vector<double> Pattern() {
    using limits = std::numeric_limits<double>;
    return {0.3,  -1e-30, 1e-39, -2e-39,   1e-310,  -4.9e-324,          limits::min(),
            -0.0, 0.0,    1e-45, -1.4e-45, 1.2e-38, limits::infinity(), limits::quiet_NaN()};
  }
  void RenderBlock(double**, double** outputs, int nFrames) override {
    const std::vector<double> pattern = Pattern();
    for (int ch = 0; ch < NChannels(kOutput); ++ch)
      for (int i = 0; i < nFrames; ++i)
        outputs[ch][i] = pattern[static_cast<size_t>(i) % pattern.size()];
  }
};

bool IsSubnormal(double v) {
  return std::fpclassify(v) == FP_SUBNORMAL;
}
bool IsSubnormal(float v) {
  return std::fpclassify(v) == FP_SUBNORMAL;
}

template <class T> bool SameBits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

TEST(IPlugProcessor, HostsReceiveNoSubnormalsAndNormalNumbersUnchanged) {
  const std::vector<double> pattern = PatternProcessor::Pattern();
  const int n = static_cast<int>(pattern.size());
  PatternProcessor processor(ProcessorTestConfig("2-2"));
  processor.ResizeScratch(n);
  processor.MarkChannels(kInput, 0, 2, true);
  processor.MarkChannels(kOutput, 0, 2, true);

  HostBuffers<double> in(2, n, 0.0);
  HostBuffers<double> out(2, n, 0.0);
  processor.BindHostBuffers(kInput, 0, 2, in.pointers.data());
  processor.BindHostBuffers(kOutput, 0, 2, out.pointers.data());
  processor.RunEffectBlock(n);
  for (int i = 0; i < n; ++i) {
    const double sent = out.storage[1][static_cast<size_t>(i)];
    EXPECT_FALSE(IsSubnormal(sent)) << i;
    if (std::isnormal(pattern[i]) || std::isinf(pattern[i]) || std::isnan(pattern[i]))
      EXPECT_TRUE(SameBits(sent, pattern[i])) << i;
    else
      EXPECT_EQ(sent, 0.0) << i;
  }

  HostBuffers<float> in32(2, n, 0.0f);
  HostBuffers<float> out32(2, n, 0.0f);
  processor.BindHostBuffers32(kInput, 0, 2, in32.pointers.data(), n);
  processor.BindHostBuffers32(kOutput, 0, 2, out32.pointers.data(), n);
  processor.RunEffectBlock32(n);
  for (int i = 0; i < n; ++i) {
    const float sent = out32.storage[0][static_cast<size_t>(i)];
    const float converted = static_cast<float>(pattern[i]);
    EXPECT_FALSE(IsSubnormal(sent)) << i;
    if (std::isnormal(converted) || std::isinf(converted) || std::isnan(converted))
      EXPECT_TRUE(SameBits(sent, converted)) << i;
    else
      EXPECT_EQ(sent, 0.0f) << i;
  }
}

TEST(IPlugProcessor, ThePassThroughSendsNoSubnormals) {
  // A delay of one block length gives back the first block in the second.
  for (int latency : {0, 4}) {
    TestProcessor processor(ProcessorTestConfig("1-1", latency));
    processor.CreateLatencyDelayLine();
    processor.ResizeScratch(4);
    processor.MarkChannels(kInput, 0, 1, true);
    processor.MarkChannels(kOutput, 0, 1, true);
    std::vector<double> in64 = {1e-310, 0.5, -1e-320, 1e-39};
    std::vector<double> out64(4, 9.0);
    double* in64Pointers[1] = {in64.data()};
    double* out64Pointers[1] = {out64.data()};
    processor.BindHostBuffers(kInput, 0, 1, in64Pointers);
    processor.BindHostBuffers(kOutput, 0, 1, out64Pointers);
    processor.CopyThrough(4);
    processor.CopyThrough(4);
    EXPECT_EQ(out64, (std::vector<double>{0.0, 0.5, 0.0, 1e-39})) << latency;

    std::vector<float> in32 = {1e-40f, 0.5f, -1e-45f, 2e-38f};
    std::vector<float> out32(4, 9.0f);
    float* in32Pointers[1] = {in32.data()};
    float* out32Pointers[1] = {out32.data()};
    for (int block = 0; block < 2; ++block) {
      processor.BindHostBuffers32(kInput, 0, 1, in32Pointers, 4);
      processor.BindHostBuffers32(kOutput, 0, 1, out32Pointers, 4);
      processor.CopyThrough32(4);
    }
    EXPECT_EQ(out32, (std::vector<float>{0.0f, 0.5f, 0.0f, 2e-38f})) << latency;
  }
}
