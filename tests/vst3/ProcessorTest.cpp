// The processing half on small plug-ins: controller parameters as MIDI, transport, hostile
// blocks and setups, and the MIDI output queue.
#include "IPlugVST3Constants.h"
#include "MidiOutputQueue.h"
#include "ParameterChanges.h"
#include "ProcessBuffers.h"
#include "TestPlugs.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using KelvoraTestHost::ParameterChanges;
using KelvoraTestHost::ProcessBuffers;

namespace {

constexpr int32 kBlock = 64;

struct Running {
  explicit Running(int32 sampleSize = kSample64) : plug(owned(new GroupedMidiPlug)) {
    EXPECT_EQ(plug->initialize(&host), kResultOk);
    ProcessSetup setup{kRealtime, sampleSize, kBlock, 48000.0};
    EXPECT_EQ(plug->setupProcessing(setup), kResultTrue);
    plug->activateBus(kAudio, BusDirections::kInput, 0, true);
    plug->activateBus(kAudio, BusDirections::kOutput, 0, true);
    plug->setActive(true);
    plug->setProcessing(true);
  }
  ~Running() {
    plug->setProcessing(false);
    plug->setActive(false);
    plug->terminate();
  }
  HostApplication host;
  IPtr<GroupedMidiPlug> plug;
};

TEST(ProcessorMidiControllers, ParameterChangesBecomeMessages) {
  Running r;
  ProcessBuffers buffers(kSample64, kBlock, {2}, {2});
  auto changes = owned(new ParameterChanges);
  changes->add(kMIDICCParamStartIndex + 7, 3, 1.0);
  changes->add(kMIDICCParamStartIndex + kPitchBendController, 5, 0.5);
  changes->add(kMIDICCParamStartIndex + kChannelPressureController, 6, 0.5);
  changes->add(kMIDICCParamStartIndex + kPitchBendController + 1000 * kCountMidiCCParams, 0, 1.0);
  buffers.data().inputParameterChanges = changes;
  ASSERT_EQ(r.plug->process(buffers.data()), kResultTrue);
  ASSERT_EQ(r.plug->midi.size(), 3u);
  EXPECT_EQ(r.plug->midi[0], IMidiMsg(3, 0xB0, 7, 127));
  EXPECT_EQ(r.plug->midi[1], IMidiMsg(5, 0xE0, 0, 64));
  EXPECT_EQ(r.plug->midi[2], IMidiMsg(6, 0xD0, 63, 0));

  r.plug->midi.clear();
  changes->clear();
  changes->add(kMIDICCParamStartIndex + kPitchBendController, 0, 1.0);
  changes->add(kMIDICCParamStartIndex + 1, 0, std::numeric_limits<double>::quiet_NaN());
  r.plug->process(buffers.data());
  ASSERT_EQ(r.plug->midi.size(), 1u);
  EXPECT_EQ(r.plug->midi[0], IMidiMsg(0, 0xE0, 0x7F, 0x7F));
}

TEST(ProcessorTransport, ContextIsKeptBetweenBlocks) {
  Running r;
  ProcessBuffers buffers(kSample64, kBlock, {2}, {2});
  r.plug->process(buffers.data());
  EXPECT_EQ(r.plug->GetTimeInfo().mTempo, 0.0);
  EXPECT_EQ(r.plug->GetTimeInfo().mSamplePos, -1.0);

  ProcessContext context{};
  context.tempo = 133.0;
  context.state = ProcessContext::kPlaying | ProcessContext::kProjectTimeMusicValid;
  context.projectTimeSamples = 4800;
  context.timeSigNumerator = 7;
  context.timeSigDenominator = 8;
  buffers.data().processContext = &context;
  buffers.data().processMode = kOffline;
  r.plug->process(buffers.data());
  buffers.data().processContext = nullptr;
  buffers.data().processMode = kRealtime;
  r.plug->process(buffers.data());
  const TimeInfo& info = r.plug->GetTimeInfo();
  EXPECT_EQ(info.mTempo, 133.0);
  EXPECT_EQ(info.mSamplePos, 4800.0);
  EXPECT_EQ(info.mNumerator, 7);
  EXPECT_EQ(info.mDenominator, 8);
  EXPECT_TRUE(info.mTransportIsRunning);
  EXPECT_FALSE(info.mTransportLoopEnabled);
  EXPECT_FALSE(r.plug->GetRenderingOffline());
}

// The default block copies input to output, so every sample shows whether it was processed.
void ExpectLongBlockInPieces(int32 sampleSize) {
  Running r(sampleSize);
  constexpr int32 kLong = kBlock * 3 + 17;
  ProcessBuffers buffers(sampleSize, kLong, {2}, {2});
  for (int s = 0; s < kLong; ++s)
    for (int ch = 0; ch < 2; ++ch)
      buffers.setInput(0, ch, s, 0.25 + s * 0.001 + ch);
  auto changes = owned(new ParameterChanges);
  changes->add(0, 0, 0.9);
  buffers.data().inputParameterChanges = changes;
  ASSERT_EQ(r.plug->process(buffers.data()), kResultTrue);
  EXPECT_EQ(r.plug->blockSizes, (std::vector<int>{kBlock, kBlock, kBlock, 17}));
  for (int s = 0; s < kLong; ++s)
    for (int ch = 0; ch < 2; ++ch)
      ASSERT_NEAR(buffers.output(0, ch, s), 0.25 + s * 0.001 + ch, 1e-6) << s;
  EXPECT_DOUBLE_EQ(r.plug->GetParam(0)->Value(), 0.9);
}

TEST(ProcessorHostileBlocks, LongerThanAnnouncedIsProcessedInPieces) {
  ExpectLongBlockInPieces(kSample64);
  ExpectLongBlockInPieces(kSample32);
}

TEST(ProcessorHostileBlocks, EmptyBlocksStillApplyParameters) {
  Running r;
  auto changes = owned(new ParameterChanges);
  ProcessData data{};
  data.symbolicSampleSize = kSample64;
  data.inputParameterChanges = changes;

  changes->add(0, 0, 0.1);
  r.plug->process(data);
  EXPECT_DOUBLE_EQ(r.plug->GetParam(0)->Value(), 0.1);

  // Buses announced, but no buffers behind them.
  AudioBusBuffers ins[1]{};
  AudioBusBuffers outs[1]{};
  ins[0].numChannels = outs[0].numChannels = 2;
  data.numInputs = data.numOutputs = 1;
  data.inputs = ins;
  data.outputs = outs;
  data.numSamples = kBlock;
  changes->clear();
  changes->add(0, 0, 0.2);
  r.plug->process(data);
  EXPECT_DOUBLE_EQ(r.plug->GetParam(0)->Value(), 0.2);

  // A bus array pointer missing altogether.
  data.outputs = nullptr;
  changes->clear();
  changes->add(0, 0, 0.3);
  r.plug->process(data);
  EXPECT_DOUBLE_EQ(r.plug->GetParam(0)->Value(), 0.3);
  EXPECT_TRUE(r.plug->blockSizes.size() <= 1u);

  // Zero samples and a width that differs from the setup touch no audio.
  ProcessBuffers buffers(kSample32, kBlock, {2}, {2});
  buffers.data().numSamples = kBlock;
  const size_t blocks = r.plug->blockSizes.size();
  r.plug->process(buffers.data());
  buffers.data().symbolicSampleSize = kSample64;
  buffers.data().numSamples = 0;
  r.plug->process(buffers.data());
  EXPECT_EQ(r.plug->blockSizes.size(), blocks);
}

// The host's buffers are played whatever the plug-in does with them, so a block it cannot read
// still leaves them silent rather than holding what they held before.
void ExpectSilenceFromMismatchedWidth(int32 setupSize, int32 blockSize) {
  Running r(setupSize);
  ProcessBuffers buffers(blockSize, kBlock, {2}, {2});
  AudioBusBuffers& out = buffers.data().outputs[0];
  for (int ch = 0; ch < 2; ++ch)
    for (int s = 0; s < kBlock; ++s) {
      buffers.setInput(0, ch, s, 0.5);
      if (blockSize == kSample64)
        out.channelBuffers64[ch][s] = 0.75;
      else
        out.channelBuffers32[ch][s] = 0.75f;
    }
  ASSERT_EQ(r.plug->process(buffers.data()), kResultTrue);
  EXPECT_TRUE(r.plug->blockSizes.empty());
  for (int ch = 0; ch < 2; ++ch)
    for (int s = 0; s < kBlock; ++s)
      ASSERT_EQ(buffers.output(0, ch, s), 0.0) << ch << " " << s;
}

TEST(ProcessorHostileBlocks, MismatchedSampleWidthWritesSilence) {
  ExpectSilenceFromMismatchedWidth(kSample64, kSample32);
  ExpectSilenceFromMismatchedWidth(kSample32, kSample64);
}

// Filters designed for such rates are unstable and turn the output into NaN.
TEST(ProcessorSetup, RatesBelowOneHertzAreRefused) {
  Running r;
  for (double rate : {0.5, 1e-300, 0.999999, std::numeric_limits<double>::denorm_min()}) {
    ProcessSetup setup{kRealtime, kSample64, kBlock, rate};
    EXPECT_EQ(r.plug->setupProcessing(setup), kResultFalse) << rate;
    EXPECT_EQ(r.plug->GetSampleRate(), 48000.0);
  }
  ProcessSetup lowest{kRealtime, kSample64, kBlock, 1.0};
  EXPECT_EQ(r.plug->setupProcessing(lowest), kResultTrue);
  EXPECT_EQ(r.plug->GetSampleRate(), 1.0);
}

TEST(ProcessorSetup, RefusesWhatCannotBeProcessed) {
  Running r;
  const ProcessSetup refused[] = {
      {kRealtime, 7, kBlock, 48000.0},
      {kRealtime, kSample32, 0, 48000.0},
      {kRealtime, kSample32, -5, 48000.0},
      {kRealtime, kSample32, 1 << 30, 48000.0},
      {kRealtime, kSample32, kBlock, 0.0},
      {kRealtime, kSample32, kBlock, -44100.0},
      {kRealtime, kSample32, kBlock, std::numeric_limits<double>::quiet_NaN()},
      {kRealtime, kSample32, kBlock, std::numeric_limits<double>::infinity()},
  };
  for (ProcessSetup setup : refused) {
    EXPECT_EQ(r.plug->setupProcessing(setup), kResultFalse);
    EXPECT_EQ(r.plug->GetBlockSize(), kBlock);
    EXPECT_EQ(r.plug->GetSampleRate(), 48000.0);
  }
  EXPECT_EQ(r.plug->canProcessSampleSize(kSample64), kResultTrue);
  EXPECT_EQ(r.plug->canProcessSampleSize(kSample32), kResultTrue);
  EXPECT_EQ(r.plug->canProcessSampleSize(2), kResultFalse);
  EXPECT_EQ(r.plug->setProcessing(false), kResultTrue);
  EXPECT_EQ(r.plug->getProcessContextRequirements(), 0u);
}

// Ardour switches the buses on before it sets their arrangement and never again afterwards.
TEST(ProcessorBuses, ActiveFlagsSurviveNewArrangements) {
  HostApplication host;
  auto plug = owned(new GroupedMidiPlug);
  ASSERT_EQ(plug->initialize(&host), kResultOk);
  ProcessSetup setup{kRealtime, kSample64, kBlock, 48000.0};
  ASSERT_EQ(plug->setupProcessing(setup), kResultTrue);
  plug->activateBus(kAudio, BusDirections::kInput, 0, true);
  plug->activateBus(kAudio, BusDirections::kOutput, 0, true);
  SpeakerArrangement stereo = SpeakerArr::kStereo;
  ASSERT_EQ(plug->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
  plug->setActive(true);
  plug->setProcessing(true);

  ProcessBuffers buffers(kSample64, kBlock, {2}, {2});
  for (int s = 0; s < kBlock; ++s)
    for (int ch = 0; ch < 2; ++ch)
      buffers.setInput(0, ch, s, 0.5 - s * 0.01 + ch * 0.1);
  ASSERT_EQ(plug->process(buffers.data()), kResultTrue);
  ASSERT_EQ(plug->blockSizes, std::vector<int>{kBlock});
  for (int s = 0; s < kBlock; ++s)
    for (int ch = 0; ch < 2; ++ch)
      ASSERT_EQ(buffers.output(0, ch, s), buffers.input(0, ch, s)) << ch << " " << s;

  plug->setProcessing(false);
  plug->setActive(false);
  plug->terminate();
}

TEST(ProcessorBuses, ArrangementsMatchConfigurations) {
  Running r;
  SpeakerArrangement mono = SpeakerArr::kMono;
  SpeakerArrangement stereo = SpeakerArr::kStereo;
  SpeakerArrangement two[2] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
  EXPECT_EQ(r.plug->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(r.plug->setBusArrangements(two, 2, two, 2), kResultFalse);
  EXPECT_EQ(r.plug->setBusArrangements(nullptr, 1, &mono, 1), kResultFalse);
  EXPECT_EQ(r.plug->setBusArrangements(&mono, -1, &mono, 1), kResultFalse);
  ASSERT_EQ(r.plug->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
  SpeakerArrangement arrangement = 0;
  ASSERT_EQ(r.plug->getBusArrangement(BusDirections::kOutput, 0, arrangement), kResultTrue);
  EXPECT_EQ(arrangement, SpeakerArr::kMono);
}

TEST(MidiOutputQueue, KeepsOffsetOrderAndGrows) {
  MidiOutputQueue queue;
  queue.Add(IMidiMsg(10, 0x90, 1, 1));
  queue.Add(IMidiMsg(5, 0x90, 2, 1));
  queue.Add(IMidiMsg(10, 0x90, 3, 1));
  ASSERT_EQ(queue.Size(), 3);
  EXPECT_EQ(queue.At(0).mData1, 2);
  EXPECT_EQ(queue.At(1).mData1, 1);
  EXPECT_EQ(queue.At(2).mData1, 3);

  queue.MarkSent(1);
  queue.Flush(4);
  ASSERT_EQ(queue.Size(), 2);
  EXPECT_EQ(queue.At(0).mOffset, 6);

  for (int i = 0; i < MidiOutputQueue::kGrowthStep; ++i)
    ASSERT_TRUE(queue.Add(IMidiMsg(i, 0xB0, 0, 0)));
  EXPECT_EQ(queue.Capacity(), 2 * MidiOutputQueue::kGrowthStep);
  queue.Resize(1000);
  EXPECT_EQ(queue.Capacity(), 1024);
}

} // namespace
