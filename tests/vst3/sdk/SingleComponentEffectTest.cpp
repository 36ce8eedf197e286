// The single-component base in-process: its defaults and its refusal of bad input.
#include "sdk/vstsinglecomponenteffect.h"

#include "ComponentHandler.h"
#include "HostStrings.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class Effect : public SingleComponentEffect {
public:
  const ProcessSetup& setup() const { return processSetup; }
};

class SingleComponent : public ::testing::Test {
protected:
  void SetUp() override {
    effect = owned(new Effect);
    ASSERT_EQ(effect->initialize(nullptr), kResultOk);
    effect->addAudioInput(STR16("In"), SpeakerArr::kStereo);
    effect->addAudioInput(STR16("Side"), SpeakerArr::kMono, kAux, 0);
    effect->addAudioOutput(STR16("Out"), SpeakerArr::kStereo);
    effect->addEventInput(STR16("Notes"));
  }
  void TearDown() override { effect->terminate(); }
  IPtr<Effect> effect;
};

TEST_F(SingleComponent, ReportsBusesAsAdded) {
  EXPECT_EQ(effect->getBusCount(kAudio, kInput), 2);
  EXPECT_EQ(effect->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(effect->getBusCount(kEvent, kInput), 1);
  EXPECT_EQ(effect->getBusCount(kEvent, kOutput), 0);

  BusInfo info{};
  ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 1, info), kResultTrue);
  EXPECT_EQ(info.mediaType, kAudio);
  EXPECT_EQ(info.direction, kInput);
  EXPECT_EQ(info.channelCount, 1);
  EXPECT_EQ(info.busType, kAux);
  EXPECT_EQ(info.flags, 0u);
  EXPECT_EQ(KelvoraTestHost::asciiOf(info.name), "Side");
  ASSERT_EQ(effect->getBusInfo(kEvent, kInput, 0, info), kResultTrue);
  EXPECT_EQ(info.channelCount, 16);
  EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
}

TEST_F(SingleComponent, RefusesOutOfRangeBuses) {
  BusInfo info{};
  EXPECT_EQ(effect->getBusInfo(kAudio, kInput, 2, info), kInvalidArgument);
  EXPECT_EQ(effect->getBusInfo(kAudio, kOutput, -1, info), kInvalidArgument);
  EXPECT_EQ(effect->getBusInfo(7, kInput, 0, info), kInvalidArgument);
  EXPECT_EQ(effect->getBusInfo(kAudio, 5, 0, info), kInvalidArgument);
  EXPECT_EQ(effect->getBusCount(7, kInput), 0);
  EXPECT_EQ(effect->activateBus(kEvent, kOutput, 0, true), kInvalidArgument);
  EXPECT_EQ(effect->activateBus(kAudio, kInput, 1, true), kResultTrue);

  SpeakerArrangement arr = 0;
  EXPECT_EQ(effect->getBusArrangement(kOutput, 1, arr), kInvalidArgument);
  EXPECT_EQ(effect->getBusArrangement(kInput, -1, arr), kInvalidArgument);
  EXPECT_EQ(effect->getBusArrangement(kInput, 1, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kMono);

  UnitInfo unit{};
  EXPECT_EQ(effect->getUnitInfo(3, unit), kResultFalse);
  EXPECT_EQ(effect->getUnitInfo(-1, unit), kResultFalse);
}

TEST_F(SingleComponent, ArrangementsMustDescribeEveryBus) {
  SpeakerArrangement ins[2] = {SpeakerArr::kMono, SpeakerArr::kStereo};
  SpeakerArrangement outs[1] = {SpeakerArr::kMono};
  EXPECT_EQ(effect->setBusArrangements(ins, 1, outs, 1), kResultFalse);
  EXPECT_EQ(effect->setBusArrangements(ins, 2, outs, 2), kResultFalse);
  EXPECT_EQ(effect->setBusArrangements(nullptr, 2, outs, 1), kInvalidArgument);
  EXPECT_EQ(effect->setBusArrangements(ins, 2, nullptr, 1), kInvalidArgument);
  EXPECT_EQ(effect->setBusArrangements(ins, -1, outs, 1), kInvalidArgument);

  SpeakerArrangement arr = 0;
  ASSERT_EQ(effect->getBusArrangement(kInput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kStereo) << "a refused arrangement changed a bus";

  EXPECT_EQ(effect->setBusArrangements(ins, 2, outs, 1), kResultTrue);
  ASSERT_EQ(effect->getBusArrangement(kInput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kMono);
  ASSERT_EQ(effect->getBusArrangement(kOutput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kMono);
}

TEST_F(SingleComponent, SetupKeepsOnlySupportedSampleSizes) {
  EXPECT_EQ(effect->canProcessSampleSize(kSample32), kResultTrue);
  EXPECT_EQ(effect->canProcessSampleSize(kSample64), kResultFalse);

  ProcessSetup accepted{kOffline, kSample32, 512, 48000.0};
  ASSERT_EQ(effect->setupProcessing(accepted), kResultOk);
  ProcessSetup refused{kRealtime, kSample64, 64, 96000.0};
  EXPECT_EQ(effect->setupProcessing(refused), kResultFalse);
  EXPECT_EQ(effect->setup().processMode, kOffline);
  EXPECT_EQ(effect->setup().maxSamplesPerBlock, 512);
  EXPECT_EQ(effect->setup().sampleRate, 48000.0);
}

TEST_F(SingleComponent, IsItsOwnController) {
  TUID cid;
  EXPECT_EQ(effect->getControllerClassId(cid), kResultFalse);
  EXPECT_EQ(effect->getLatencySamples(), 0u);
  EXPECT_EQ(effect->getTailSamples(), kNoTail);
  EXPECT_EQ(effect->setActive(true), kResultOk);
}

TEST_F(SingleComponent, AnswersEveryInterfaceOfTheChain) {
  const TUID* iids[] = {&FUnknown::iid.toTUID(),
                        &IPluginBase::iid.toTUID(),
                        &IComponent::iid.toTUID(),
                        &IAudioProcessor::iid.toTUID(),
                        &IEditController::iid.toTUID(),
                        &IEditController2::iid.toTUID(),
                        &IUnitInfo::iid.toTUID(),
                        &IConnectionPoint::iid.toTUID(),
                        &IProcessContextRequirements::iid.toTUID()};
  const uint32 base = effect->addRef() - 1;
  effect->release();
  for (const TUID* iid : iids) {
    void* obj = nullptr;
    ASSERT_EQ(effect->queryInterface(*iid, &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(effect->addRef(), base + 2) << "queryInterface did not add one reference";
    effect->release();
    static_cast<FUnknown*>(obj)->release();
  }
  void* obj = &obj;
  EXPECT_EQ(effect->queryInterface(IPluginFactory::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(effect->queryInterface(IComponent::iid, nullptr), kInvalidArgument);
}

TEST_F(SingleComponent, EditsReachTheHostsComponentHandler) {
  using Kind = KelvoraTestHost::ComponentHandler::EditKind;
  auto handler = owned(new KelvoraTestHost::ComponentHandler);
  ASSERT_EQ(effect->setComponentHandler(handler), kResultOk);
  EXPECT_EQ(effect->startGroupEdit(), kResultOk);
  EXPECT_EQ(effect->beginEdit(5), kResultOk);
  EXPECT_EQ(effect->performEdit(5, 0.375), kResultOk);
  EXPECT_EQ(effect->endEdit(5), kResultOk);
  EXPECT_EQ(effect->finishGroupEdit(), kResultOk);

  const auto edits = handler->edits();
  ASSERT_EQ(edits.size(), 3u);
  EXPECT_EQ(edits[0].kind, Kind::Begin);
  EXPECT_EQ(edits[1].kind, Kind::Perform);
  EXPECT_EQ(edits[1].id, 5u);
  EXPECT_EQ(edits[1].value, 0.375);
  EXPECT_EQ(edits[2].kind, Kind::End);
  EXPECT_EQ(handler->groupEditsStarted(), 1);
  EXPECT_EQ(handler->groupEditsFinished(), 1);
  ASSERT_EQ(effect->setComponentHandler(nullptr), kResultOk);
  EXPECT_EQ(effect->beginEdit(5), kResultFalse);
}

TEST_F(SingleComponent, TerminateRemovesBuses) {
  ASSERT_EQ(effect->terminate(), kResultOk);
  EXPECT_EQ(effect->getBusCount(kAudio, kInput), 0);
  EXPECT_EQ(effect->getBusCount(kEvent, kInput), 0);
}

} // namespace
