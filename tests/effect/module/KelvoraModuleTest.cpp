// The built Kelvora.vst3 as a host meets it.
#include "HostStrings.h"
#include "KelvoraHost.h"
#include "ParameterChanges.h"

#include "pluginterfaces/vst/ivstchannelcontextinfo.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using KelvoraTestHost::asciiOf;
using KelvoraTestHost::KelvoraInstance;
using KelvoraTestHost::ParameterChanges;
using KelvoraTestHost::ProcessBuffers;
using KelvoraTestHost::QueryAs;

namespace {

enum { kBypass, kReact, kOversampling, kDelta, kInputGain, kWet, kTame, kOutputGain, kBias };

const Vst3Module& Module() {
  static Vst3Module module(KELVORA_BUNDLE);
  return module;
}

class KelvoraModule : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(Module().loaded()) << Module().error(); }
};

void FillSine(ProcessBuffers& buffers, int channels, int n, double phase = 0.0) {
  for (int ch = 0; ch < channels; ++ch)
    for (int s = 0; s < n; ++s)
      buffers.setInput(0, ch, s, 0.7 * std::sin(0.05 * (s + phase) + ch));
}

TEST_F(KelvoraModule, InterfacesAndBuses) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok());
  EXPECT_TRUE(QueryAs<IUnitInfo>(k.component.get()));
  EXPECT_TRUE(QueryAs<IMidiMapping>(k.component.get()));
  EXPECT_TRUE(QueryAs<ChannelContext::IInfoListener>(k.component.get()));
  EXPECT_TRUE(QueryAs<IProcessContextRequirements>(k.component.get()));
  EXPECT_TRUE(QueryAs<IEditController2>(k.component.get()));

  for (BusDirection dir : {BusDirections::kInput, BusDirections::kOutput}) {
    ASSERT_EQ(k.component->getBusCount(kAudio, dir), 1);
    BusInfo info{};
    ASSERT_EQ(k.component->getBusInfo(kAudio, dir, 0, info), kResultTrue);
    EXPECT_EQ(asciiOf(info.name), dir == BusDirections::kInput ? "Input" : "Output");
    EXPECT_EQ(info.channelCount, 2);
    EXPECT_EQ(info.busType, kMain);
    EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
    EXPECT_EQ(k.component->getBusCount(kEvent, dir), 0);
  }
  UnitInfo unit{};
  ASSERT_EQ(QueryAs<IUnitInfo>(k.component.get())->getUnitCount(), 1);
  ASSERT_EQ(QueryAs<IUnitInfo>(k.component.get())->getUnitInfo(0, unit), kResultTrue);
  EXPECT_EQ(asciiOf(unit.name), "Root");
  EXPECT_EQ(unit.parentUnitId, kNoParentUnitId);
}

TEST_F(KelvoraModule, ArrangementsMonoAndStereoOnly) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok());
  SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
  SpeakerArrangement surround = SpeakerArr::k51;
  EXPECT_EQ(k.processor->setBusArrangements(&stereo, 1, &mono, 1), kResultFalse);
  EXPECT_EQ(k.processor->setBusArrangements(&surround, 1, &surround, 1), kResultFalse);
  SpeakerArrangement two[2] = {stereo, stereo};
  EXPECT_EQ(k.processor->setBusArrangements(two, 2, two, 2), kResultFalse);
  for (SpeakerArrangement arrangement : {mono, stereo}) {
    ASSERT_EQ(k.processor->setBusArrangements(&arrangement, 1, &arrangement, 1), kResultTrue);
    SpeakerArrangement reported = 0;
    ASSERT_EQ(k.processor->getBusArrangement(BusDirections::kOutput, 0, reported), kResultTrue);
    EXPECT_EQ(reported, arrangement);
  }
}

// Renders n samples of a sine through a fresh instance with the given parameter values.
std::vector<double> Render(int32 sampleSize, SpeakerArrangement arrangement,
                           const std::vector<std::pair<ParamID, double>>& params, int n = 1024) {
  KelvoraInstance k(Module());
  EXPECT_TRUE(k.ok() && k.start(sampleSize, arrangement));
  const int channels = arrangement == SpeakerArr::kMono ? 1 : 2;
  ProcessBuffers buffers(sampleSize, 256, {channels}, {channels});
  auto changes = owned(new ParameterChanges);
  for (const auto& [id, value] : params)
    changes->add(id, 0, value);
  buffers.data().inputParameterChanges = changes;
  std::vector<double> out;
  for (int start = 0; start < n; start += 256) {
    FillSine(buffers, channels, 256, start);
    EXPECT_EQ(k.processor->process(buffers.data()), kResultTrue);
    changes->clear();
    for (int ch = 0; ch < channels; ++ch)
      for (int s = 0; s < 256; ++s)
        out.push_back(buffers.output(0, ch, s));
  }
  return out;
}

TEST_F(KelvoraModule, ThirtyTwoAndSixtyFourBitAgree) {
  for (SpeakerArrangement arrangement : {SpeakerArr::kMono, SpeakerArr::kStereo}) {
    // Dry only: the exact path through both sample widths.
    const std::vector<std::pair<ParamID, double>> dry = {{kWet, 0.0}};
    const auto out64 = Render(kSample64, arrangement, dry);
    const auto out32 = Render(kSample32, arrangement, dry);
    ASSERT_EQ(out64.size(), out32.size());
    for (size_t i = 0; i < out64.size(); ++i)
      ASSERT_NEAR(out32[i], out64[i], 1e-6) << i;

    // Saturated: each instance draws its own per-block jitter, a difference far below audibility.
    const std::vector<std::pair<ParamID, double>> wet = {{kWet, 1.0}, {kInputGain, 0.5}};
    const auto sat64 = Render(kSample64, arrangement, wet);
    const auto sat32 = Render(kSample32, arrangement, wet);
    double largest = 0.0, difference = 0.0;
    for (size_t i = 0; i < sat64.size(); ++i) {
      ASSERT_TRUE(std::isfinite(sat32[i]) && std::isfinite(sat64[i]));
      largest = std::max(largest, std::fabs(sat64[i]));
      difference = std::max(difference, std::fabs(sat32[i] - sat64[i]));
    }
    EXPECT_GT(largest, 0.1);
    EXPECT_LT(difference, 1e-3);
  }
}

TEST_F(KelvoraModule, AutomationLastPointWinsAndUnknownIdsAreIgnored) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok() && k.start(kSample32, SpeakerArr::kStereo));
  const std::vector<double> before = k.savedValues();
  ProcessBuffers buffers(kSample32, 256, {2}, {2});
  auto changes = owned(new ParameterChanges);
  changes->add(kWet, 0, 0.1);
  changes->add(kWet, 100, 0.9);
  changes->add(kWet, 200, 0.3);
  changes->add(kOversampling, 10, 0.5);
  for (ParamID unknown : {9u, 65537u, 65545u, 70000u, 0xFFFFFFFFu})
    changes->add(unknown, 0, 1.0);
  buffers.data().inputParameterChanges = changes;
  ASSERT_EQ(k.processor->process(buffers.data()), kResultTrue);
  const std::vector<double> after = k.savedValues();
  ASSERT_EQ(after.size(), 9u);
  EXPECT_DOUBLE_EQ(after[kWet], 30.0);
  EXPECT_DOUBLE_EQ(after[kOversampling], 1.5);
  for (int i : {kBypass, kReact, kDelta, kInputGain, kTame, kOutputGain, kBias})
    EXPECT_EQ(after[i], before[i]) << i;
  EXPECT_TRUE(k.handler->edits().empty());
  EXPECT_TRUE(k.handler->restartFlags().empty());
}

TEST_F(KelvoraModule, HostBypassAboveOneHalf) {
  for (double value : {0.5, 0.51}) {
    KelvoraInstance k(Module());
    ASSERT_TRUE(k.ok() && k.start(kSample64, SpeakerArr::kStereo));
    ProcessBuffers buffers(kSample64, 256, {2}, {2});
    FillSine(buffers, 2, 256);
    auto changes = owned(new ParameterChanges);
    changes->add(65536, 0, value);
    changes->add(kWet, 0, 1.0);
    changes->add(kInputGain, 0, 0.8);
    buffers.data().inputParameterChanges = changes;
    ASSERT_EQ(k.processor->process(buffers.data()), kResultTrue);
    bool untouched = true;
    for (int s = 0; s < 256; ++s)
      untouched = untouched && buffers.output(0, 0, s) == buffers.input(0, 0, s);
    EXPECT_EQ(untouched, value > 0.5) << value;
    const std::vector<char> state = k.saveState();
    ASSERT_EQ(state.size(), 9 * sizeof(double) + sizeof(int32));
    int32 flag = -1;
    std::memcpy(&flag, state.data() + 9 * sizeof(double), sizeof(flag));
    EXPECT_EQ(flag, value > 0.5 ? 1 : 0);
  }
}

// Ardour's order: buses switched on first, arranged afterwards, never switched on again. The
// output must still be the effect's, not the dry input left in the host's buffers.
TEST_F(KelvoraModule, BusesSwitchedOnBeforeTheirArrangementStayOn) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok());
  ProcessSetup setup{kRealtime, kSample32, 256, 48000.0};
  ASSERT_EQ(k.processor->setupProcessing(setup), kResultTrue);
  k.component->activateBus(kAudio, BusDirections::kInput, 0, true);
  k.component->activateBus(kAudio, BusDirections::kOutput, 0, true);
  SpeakerArrangement stereo = SpeakerArr::kStereo;
  ASSERT_EQ(k.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
  k.component->setActive(true);
  k.processor->setProcessing(true);
  k.running = true;

  ProcessBuffers buffers(kSample32, 256, {2}, {2});
  FillSine(buffers, 2, 256);
  // The host renders in place: its output buffers hold the dry input until the plug-in writes.
  for (int ch = 0; ch < 2; ++ch)
    for (int s = 0; s < 256; ++s)
      buffers.data().outputs[0].channelBuffers32[ch][s] =
          buffers.data().inputs[0].channelBuffers32[ch][s];
  auto changes = owned(new ParameterChanges);
  changes->add(kWet, 0, 1.0);
  changes->add(kInputGain, 0, 1.0);
  buffers.data().inputParameterChanges = changes;
  ASSERT_EQ(k.processor->process(buffers.data()), kResultTrue);
  double difference = 0.0;
  for (int s = 0; s < 256; ++s)
    difference = std::max(difference, std::abs(buffers.output(0, 0, s) - buffers.input(0, 0, s)));
  EXPECT_GT(difference, 0.05);
}

TEST_F(KelvoraModule, StateRoundTripWithAndWithoutBypass) {
  KelvoraInstance source(Module());
  ASSERT_TRUE(source.ok());
  ASSERT_EQ(source.controller->setParamNormalized(kWet, 0.25), kResultOk);
  ASSERT_EQ(source.controller->setParamNormalized(kOversampling, 1.0), kResultOk);
  std::vector<char> state = source.saveState();
  ASSERT_EQ(state.size(), 76u);
  const int32 bypassed = 1;
  std::memcpy(state.data() + 72, &bypassed, sizeof(bypassed));

  KelvoraInstance target(Module());
  ASSERT_TRUE(target.ok());
  ASSERT_EQ(target.loadState(state), kResultOk);
  EXPECT_EQ(target.savedValues(), source.savedValues());
  EXPECT_DOUBLE_EQ(target.controller->getParamNormalized(kWet), 0.25);
  EXPECT_DOUBLE_EQ(target.controller->getParamNormalized(kOversampling), 1.0);
  EXPECT_EQ(target.controller->getParamNormalized(65536), 1.0);

  KelvoraInstance third(Module());
  ASSERT_TRUE(third.ok());
  state.resize(72);
  EXPECT_EQ(third.loadState(state), kResultFalse);
  EXPECT_EQ(third.savedValues(), source.savedValues());
  // The parameter objects are not told: they still show the defaults.
  EXPECT_DOUBLE_EQ(third.controller->getParamNormalized(kWet), 0.5);
  EXPECT_EQ(third.controller->setComponentState(nullptr), kResultOk);
}

TEST_F(KelvoraModule, ParameterInfoOfAllTen) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok());
  ASSERT_EQ(k.controller->getParameterCount(), 10);
  ParameterInfo info{};
  ASSERT_EQ(k.controller->getParameterInfo(0, info), kResultTrue);
  EXPECT_EQ(info.id, 65536u);
  EXPECT_EQ(asciiOf(info.title), "Bypass");
  EXPECT_EQ(info.flags, 0x10009);
  EXPECT_EQ(info.stepCount, 1);
  EXPECT_EQ(info.defaultNormalizedValue, 0.0);

  const struct {
    const char* title;
    const char* units;
    double defaultNormalized;
  } expected[] = {{"Bypass", "", 0.0},       {"React", "", 0.0},
                  {"Oversampling", "", 0.0}, {"Delta", "", 0.0},
                  {"Input Gain", "%", 0.16}, {"Wet", "%", 0.5},
                  {"Tame", "", 0.5},         {"Output Gain", "%", 100.0 / 120.0},
                  {"Bias", "", 0.5}};
  for (int32 i = 0; i < 9; ++i) {
    ASSERT_EQ(k.controller->getParameterInfo(i + 1, info), kResultTrue);
    EXPECT_EQ(info.id, static_cast<ParamID>(i));
    EXPECT_EQ(asciiOf(info.title), expected[i].title);
    EXPECT_EQ(asciiOf(info.shortTitle), "");
    EXPECT_EQ(asciiOf(info.units), expected[i].units);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_NEAR(info.defaultNormalizedValue, expected[i].defaultNormalized, 1e-12) << i;
    EXPECT_EQ(info.unitId, kRootUnitId);
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
  }
  EXPECT_EQ(k.controller->getParameterInfo(10, info), kResultFalse);
  EXPECT_EQ(k.controller->getParameterInfo(-1, info), kResultFalse);
}

TEST_F(KelvoraModule, StringsBothWays) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok());
  String128 text{};
  ASSERT_EQ(k.controller->getParamStringByValue(kInputGain, 0.16, text), kResultTrue);
  EXPECT_EQ(asciiOf(text), "32.00");
  ASSERT_EQ(k.controller->getParamStringByValue(kTame, 0.25, text), kResultTrue);
  EXPECT_EQ(asciiOf(text), "0.250");
  ASSERT_EQ(k.controller->getParamStringByValue(kOversampling, 1.0, text), kResultTrue);
  EXPECT_EQ(asciiOf(text), "3");
  ASSERT_EQ(k.controller->getParamStringByValue(65536, 1.0, text), kResultTrue);
  EXPECT_EQ(asciiOf(text), "on");

  ParamValue value = -1.0;
  TChar fifty[] = {'5', '0', 0};
  ASSERT_EQ(k.controller->getParamValueByString(kInputGain, fifty, value), kResultTrue);
  EXPECT_DOUBLE_EQ(value, 0.25);
  TChar tooMuch[] = {'9', '9', '9', 0};
  ASSERT_EQ(k.controller->getParamValueByString(kWet, tooMuch, value), kResultTrue);
  EXPECT_DOUBLE_EQ(value, 1.0);
  EXPECT_DOUBLE_EQ(k.controller->normalizedParamToPlain(kOutputGain, 0.5), 60.0);
  EXPECT_DOUBLE_EQ(k.controller->plainParamToNormalized(kOutputGain, 60.0), 0.5);
  EXPECT_EQ(k.controller->getParamStringByValue(4242, 0.5, text), kResultFalse);
}

TEST_F(KelvoraModule, MidiMappingAndChannelContext) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok());
  auto mapping = QueryAs<IMidiMapping>(k.component.get());
  ParamID id = 0;
  ASSERT_EQ(mapping->getMidiControllerAssignment(0, 0, 7, id), kResultTrue);
  EXPECT_EQ(id, 65545u);
  EXPECT_EQ(mapping->getMidiControllerAssignment(0, 1, 7, id), kResultFalse);
  EXPECT_EQ(mapping->getMidiControllerAssignment(1, 0, 7, id), kResultFalse);

  auto listener = QueryAs<ChannelContext::IInfoListener>(k.component.get());
  EXPECT_EQ(listener->setChannelContextInfos(nullptr), kResultFalse);
  auto list = owned(new HostAttributeList);
  const TChar name[] = {'B', 'a', 's', 's', 0};
  list->setInt(ChannelContext::kChannelNameLengthKey, 4);
  list->setString(ChannelContext::kChannelNameKey, name);
  list->setInt(ChannelContext::kChannelColorKey, 0xFF00FF00);
  EXPECT_EQ(listener->setChannelContextInfos(list), kResultTrue);

  String128 program{};
  EXPECT_EQ(QueryAs<IUnitInfo>(k.component.get())->getProgramName(65537, 0, program), kResultOk);
  EXPECT_EQ(QueryAs<IUnitInfo>(k.component.get())->getProgramName(65537, 1, program), kResultFalse);
  EXPECT_EQ(QueryAs<IUnitInfo>(k.component.get())->getProgramName(3, 0, program), kResultFalse);
}

TEST_F(KelvoraModule, TwoInstancesFromTwoThreads) {
  bool ok[2] = {false, false};
  int32 counts[2] = {0, 0};
  auto create = [&](int i) {
    KelvoraInstance k(Module());
    ok[i] = k.ok() && k.start(kSample32, SpeakerArr::kStereo);
    counts[i] = k.ok() ? k.controller->getParameterCount() : 0;
  };
  std::thread first(create, 0), second(create, 1);
  first.join();
  second.join();
  EXPECT_TRUE(ok[0] && ok[1]);
  EXPECT_EQ(counts[0], 10);
  EXPECT_EQ(counts[1], 10);
}

TEST_F(KelvoraModule, HostileSetupsAndBlocks) {
  KelvoraInstance k(Module());
  ASSERT_TRUE(k.ok() && k.start(kSample64, SpeakerArr::kStereo, 128));
  ProcessSetup bad{kRealtime, kSample64, 0, 48000.0};
  EXPECT_EQ(k.processor->setupProcessing(bad), kResultFalse);
  bad = {kRealtime, kSample64, 128, -1.0};
  EXPECT_EQ(k.processor->setupProcessing(bad), kResultFalse);

  // Four times the announced block: every sample is processed, nothing overruns.
  ProcessBuffers buffers(kSample64, 512, {2}, {2});
  FillSine(buffers, 2, 512);
  auto changes = owned(new ParameterChanges);
  changes->add(kWet, 0, 0.0);
  buffers.data().inputParameterChanges = changes;
  ASSERT_EQ(k.processor->process(buffers.data()), kResultTrue);
  for (int s = 0; s < 512; ++s)
    ASSERT_NEAR(buffers.output(0, 1, s), buffers.input(0, 1, s), 1e-9) << s;

  ProcessData empty{};
  empty.symbolicSampleSize = kSample64;
  empty.numSamples = 64;
  EXPECT_EQ(k.processor->process(empty), kResultTrue);
  std::vector<char> garbage(40, '\x55');
  EXPECT_EQ(k.loadState(garbage), kResultFalse);
  EXPECT_EQ(k.component->setState(nullptr), kInvalidArgument);
}

} // namespace
