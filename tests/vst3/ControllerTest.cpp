// The controller half on small plug-ins: units, parameter objects, conversions, MIDI mapping,
// channel context and programs.
#include "ComponentHandler.h"
#include "HostStrings.h"
#include "IPlugVST3Constants.h"
#include "TestPlugs.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using KelvoraTestHost::asciiOf;

namespace {

template <class Plug> struct Initialized {
  Initialized() : plug(owned(new Plug)) { EXPECT_EQ(plug->initialize(&host), kResultOk); }
  ~Initialized() { plug->terminate(); }
  HostApplication host;
  IPtr<Plug> plug;
};

// Records what the plug-in and the host side see at each step of an editor's change.
class EditRecordingPlug : public GroupedMidiPlug {
public:
  void PerformHostEdit(int paramIdx, double normalized) override {
    steps.push_back("perform");
    objectAtPerform = getParamNormalized(static_cast<ParamID>(paramIdx));
    valueAtPerform = GetParam(paramIdx)->Value();
    GroupedMidiPlug::PerformHostEdit(paramIdx, normalized);
  }
  void ParamChangeHook(int paramIdx, ParamChangeSource source, int sampleOffset) override {
    if (source != kSourceEditor) return;
    steps.push_back("processing hook " + std::to_string(paramIdx) + " at " +
                    std::to_string(sampleOffset));
    // A processing side that moves the value must not change what the editor hook sees.
    GetParam(paramIdx)->SetValue(0.1);
  }
  void EditorParamChangeHook(int paramIdx, ParamChangeSource source) override {
    if (source != kSourceEditor) return;
    steps.push_back("editor hook " + std::to_string(paramIdx));
    valueAtEditorHook = GetParam(paramIdx)->Value();
  }

  std::vector<std::string> steps;
  double objectAtPerform = -1.0;
  double valueAtPerform = -1.0;
  double valueAtEditorHook = -1.0;
};

ParameterInfo InfoAt(IEditController& controller, int32 index) {
  ParameterInfo info{};
  EXPECT_EQ(controller.getParameterInfo(index, info), kResultTrue) << index;
  return info;
}

TEST(ControllerUnits, GroupsBecomeUnitsInOrderOfFirstAppearance) {
  Initialized<GroupedMidiPlug> t;
  GroupedMidiPlug& plug = *t.plug;
  ASSERT_EQ(plug.getUnitCount(), 5);
  const struct {
    UnitID id, parent;
    const char* name;
  } expected[] = {
      {0, -1, "Root"}, {1, 0, "Main"}, {2, 0, "Out"}, {4, 0, "MIDI CCs"}, {5, 4, "CH1"}};
  for (int32 i = 0; i < 5; ++i) {
    UnitInfo info{};
    ASSERT_EQ(plug.getUnitInfo(i, info), kResultTrue);
    EXPECT_EQ(info.id, expected[i].id);
    EXPECT_EQ(info.parentUnitId, expected[i].parent);
    EXPECT_EQ(asciiOf(info.name), expected[i].name);
    EXPECT_EQ(info.programListId, kNoProgramListId);
  }
  // The bypass comes first, then A to E.
  EXPECT_EQ(InfoAt(plug, 0).id, kBypassParamID);
  const UnitID units[] = {1, 0, 1, 2, 0};
  for (int32 i = 0; i < 5; ++i) {
    EXPECT_EQ(InfoAt(plug, i + 1).id, static_cast<ParamID>(i));
    EXPECT_EQ(InfoAt(plug, i + 1).unitId, units[i]) << i;
  }
}

TEST(ControllerUnits, ReinitialisingKeepsTheGroupUnits) {
  Initialized<GroupedMidiPlug> t;
  ASSERT_EQ(t.plug->terminate(), kResultOk);
  ASSERT_EQ(t.plug->initialize(&t.host), kResultOk);
  EXPECT_EQ(t.plug->getUnitCount(), 5);
  EXPECT_EQ(InfoAt(*t.plug, 4).unitId, 2);
}

TEST(ControllerParameters, InfoFieldsFollowTheParameter) {
  Initialized<GroupedMidiPlug> t;
  const ParameterInfo a = InfoAt(*t.plug, 1);
  EXPECT_EQ(asciiOf(a.title), "A");
  EXPECT_EQ(asciiOf(a.shortTitle), "");
  EXPECT_EQ(a.stepCount, 0);
  EXPECT_DOUBLE_EQ(a.defaultNormalizedValue, 0.25);
  EXPECT_EQ(a.flags, ParameterInfo::kCanAutomate);

  const ParameterInfo b = InfoAt(*t.plug, 2);
  EXPECT_EQ(asciiOf(b.units), "dB");
  EXPECT_DOUBLE_EQ(b.defaultNormalizedValue, 0.5);

  const ParameterInfo e = InfoAt(*t.plug, 5);
  EXPECT_EQ(e.stepCount, 3);
  EXPECT_EQ(e.flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
  EXPECT_DOUBLE_EQ(t.plug->getParamNormalized(4), 1.0 / 3.0);

  const ParameterInfo bypass = InfoAt(*t.plug, 0);
  EXPECT_EQ(asciiOf(bypass.title), "Bypass");
  EXPECT_EQ(bypass.flags, 0x10009);
  EXPECT_EQ(bypass.stepCount, 1);
  EXPECT_EQ(bypass.unitId, 0);
}

TEST(ControllerParameters, MidiControllerObjects) {
  Initialized<GroupedMidiPlug> t;
  ASSERT_EQ(t.plug->getParameterCount(), 1 + 5 + 130);
  const ParameterInfo volume = InfoAt(*t.plug, 6 + 7);
  EXPECT_EQ(volume.id, 65545u);
  EXPECT_EQ(asciiOf(volume.title), "MainVolume");
  EXPECT_EQ(volume.flags, 0);
  EXPECT_EQ(volume.unitId, 5);
  EXPECT_EQ(asciiOf(InfoAt(*t.plug, 6 + 66).title), "Sostenuto ");
  EXPECT_EQ(asciiOf(InfoAt(*t.plug, 6 + 127).title), "PolyModeOn");
  const ParameterInfo pressure = InfoAt(*t.plug, 6 + 128);
  EXPECT_EQ(pressure.id, 65666u);
  EXPECT_EQ(asciiOf(pressure.title), "Channel Aftertouch");
  const ParameterInfo bend = InfoAt(*t.plug, 6 + 129);
  EXPECT_EQ(bend.id, 65667u);
  EXPECT_EQ(asciiOf(bend.title), "Pitch Bend");
  EXPECT_DOUBLE_EQ(bend.defaultNormalizedValue, 0.5);
  EXPECT_EQ(bend.flags, 0);
}

TEST(ControllerParameters, ConversionsGoThroughTheParameter) {
  Initialized<GroupedMidiPlug> t;
  GroupedMidiPlug& plug = *t.plug;
  EXPECT_DOUBLE_EQ(plug.normalizedParamToPlain(0, 0.37), 0.37);
  EXPECT_DOUBLE_EQ(plug.plainParamToNormalized(0, plug.normalizedParamToPlain(0, 0.37)), 0.37);
  // B is stepped in whole dB over 0..20: 0.52 is 10.4 dB, stored as 10.
  EXPECT_DOUBLE_EQ(plug.normalizedParamToPlain(1, 0.52), 10.0);
  EXPECT_DOUBLE_EQ(plug.plainParamToNormalized(1, plug.normalizedParamToPlain(1, 0.52)), 0.5);

  String128 text{};
  ASSERT_EQ(plug.getParamStringByValue(4, 1.0, text), kResultTrue);
  EXPECT_EQ(asciiOf(text), "four");
  ParamValue value = -1.0;
  TChar three[] = {'t', 'h', 'r', 'e', 'e', 0};
  ASSERT_EQ(plug.getParamValueByString(4, three, value), kResultTrue);
  EXPECT_DOUBLE_EQ(value, 2.0 / 3.0);
  // Text the parameter cannot read still succeeds, with a value within range.
  TChar nonsense[] = {'?', '!', 0};
  ASSERT_EQ(plug.getParamValueByString(1, nonsense, value), kResultTrue);
  EXPECT_GE(value, 0.0);
  EXPECT_LE(value, 1.0);
}

TEST(ControllerParameters, SetParamNormalizedReachesTheParameter) {
  Initialized<GroupedMidiPlug> t;
  GroupedMidiPlug& plug = *t.plug;
  EXPECT_EQ(plug.setParamNormalized(1, 0.76), kResultOk);
  EXPECT_DOUBLE_EQ(plug.GetParam(1)->Value(), 15.0);
  EXPECT_DOUBLE_EQ(plug.getParamNormalized(1), 0.76);

  EXPECT_EQ(plug.setParamNormalized(4242, 0.5), kResultFalse);
  EXPECT_EQ(plug.getParamNormalized(4242), 0.0);
  EXPECT_EQ(plug.setParamNormalized(1, std::numeric_limits<double>::quiet_NaN()), kResultFalse);
  EXPECT_EQ(plug.setParamNormalized(1, std::numeric_limits<double>::infinity()), kResultFalse);
  EXPECT_DOUBLE_EQ(plug.GetParam(1)->Value(), 15.0);

  // The bypass object only keeps its value; the processing half hears of it through process.
  EXPECT_EQ(plug.setParamNormalized(kBypassParamID, 1.0), kResultOk);
  EXPECT_EQ(plug.getParamNormalized(kBypassParamID), 1.0);
  EXPECT_FALSE(plug.IsBypassed());
}

TEST(ControllerMidiMapping, OnlyChannelOneOfBusZero) {
  Initialized<GroupedMidiPlug> t;
  ParamID id = 0;
  EXPECT_EQ(t.plug->getMidiControllerAssignment(0, 0, 7, id), kResultTrue);
  EXPECT_EQ(id, 65545u);
  EXPECT_EQ(t.plug->getMidiControllerAssignment(0, 0, kPitchBend, id), kResultTrue);
  EXPECT_EQ(id, 65667u);
  EXPECT_EQ(t.plug->getMidiControllerAssignment(0, 1, 7, id), kResultFalse);
  EXPECT_EQ(t.plug->getMidiControllerAssignment(1, 0, 7, id), kResultFalse);
  EXPECT_EQ(t.plug->getMidiControllerAssignment(0, -1, 7, id), kResultFalse);
  EXPECT_EQ(t.plug->getMidiControllerAssignment(0, 0, 130, id), kResultFalse);
}

TEST(ControllerChannelContext, StoresWhatIsPresent) {
  Initialized<GroupedMidiPlug> t;
  GroupedMidiPlug& plug = *t.plug;
  EXPECT_EQ(plug.setChannelContextInfos(nullptr), kResultFalse);

  auto full = owned(new HostAttributeList);
  const TChar name[] = {'D', 'r', 'u', 'm', 's', 0};
  full->setInt(ChannelContext::kChannelNameLengthKey, 5);
  full->setString(ChannelContext::kChannelNameKey, name);
  full->setInt(ChannelContext::kChannelIndexKey, 3);
  full->setInt(ChannelContext::kChannelIndexNamespaceOrderKey, 2);
  ASSERT_EQ(plug.setChannelContextInfos(full), kResultTrue);
  std::string text;
  plug.TrackName(text);
  EXPECT_EQ(text, "Drums");
  EXPECT_EQ(plug.TrackIndex(), 3);
  EXPECT_EQ(plug.TrackNamespaceIndex(), 2);

  auto colourOnly = owned(new HostAttributeList);
  colourOnly->setInt(ChannelContext::kChannelColorKey, 0xFF123456);
  ASSERT_EQ(plug.setChannelContextInfos(colourOnly), kResultTrue);
  int red = 0, green = 0, blue = 0;
  plug.TrackColour(red, green, blue);
  EXPECT_EQ(red, 0x12);
  EXPECT_EQ(green, 0x34);
  EXPECT_EQ(blue, 0x56);
  plug.TrackName(text);
  EXPECT_EQ(text, "Drums");

  // A length far beyond the text is not taken at its word.
  auto absurd = owned(new HostAttributeList);
  absurd->setInt(ChannelContext::kChannelNameLengthKey, 1LL << 40);
  absurd->setString(ChannelContext::kChannelNameKey, name);
  ASSERT_EQ(plug.setChannelContextInfos(absurd), kResultTrue);
  plug.TrackName(text);
  EXPECT_EQ(text, "Drums");
}

TEST(ControllerPrograms, NoPresetsNoNames) {
  Initialized<NoOutputPlug> t;
  String128 name{};
  EXPECT_EQ(t.plug->getProgramName(kProgramListID, 0, name), kResultFalse);
  EXPECT_EQ(t.plug->getProgramListCount(), 0);
}

TEST(ControllerBuses, InstrumentWithoutOutputsGetsADummyOutput) {
  Initialized<NoOutputPlug> t;
  ASSERT_EQ(t.plug->getBusCount(kAudio, BusDirections::kOutput), 1);
  BusInfo info{};
  ASSERT_EQ(t.plug->getBusInfo(kAudio, BusDirections::kOutput, 0, info), kResultTrue);
  EXPECT_EQ(asciiOf(info.name), "Dummy Output");
  EXPECT_EQ(info.flags, 0u);
  EXPECT_EQ(info.channelCount, 0);
}

TEST(ControllerEdits, AnEditorChangeUpdatesTheObjectFirstAndRunsEachHookOnce) {
  Initialized<EditRecordingPlug> t;
  EditRecordingPlug& plug = *t.plug;
  auto handler = owned(new KelvoraTestHost::ComponentHandler);
  ASSERT_EQ(plug.setComponentHandler(handler), kResultTrue);

  plug.SetParamFromEditor(2, 0.6);
  const std::vector<std::string> expected = {"perform", "processing hook 2 at -1", "editor hook 2"};
  EXPECT_EQ(plug.steps, expected);
  EXPECT_DOUBLE_EQ(plug.objectAtPerform, 0.6);
  EXPECT_DOUBLE_EQ(plug.valueAtPerform, 0.6);
  EXPECT_DOUBLE_EQ(plug.valueAtEditorHook, 0.6);
  EXPECT_DOUBLE_EQ(plug.getParamNormalized(2), 0.6);

  plug.steps.clear();
  plug.SetParamFromEditor(2, std::numeric_limits<double>::infinity());
  plug.SetParamFromEditor(plug.NParams(), 0.5);
  EXPECT_TRUE(plug.steps.empty());
  EXPECT_DOUBLE_EQ(plug.getParamNormalized(2), 0.6);
}

TEST(ControllerEdits, EditorAndFrameChangesReachTheHost) {
  Initialized<GroupedMidiPlug> t;
  GroupedMidiPlug& plug = *t.plug;
  auto handler = owned(new KelvoraTestHost::ComponentHandler);
  ASSERT_EQ(plug.setComponentHandler(handler), kResultTrue);

  plug.BeginParamEditFromEditor(0);
  plug.SetParamFromEditor(0, 0.8);
  plug.SetParamFromEditor(0, std::numeric_limits<double>::quiet_NaN());
  plug.EndParamEditFromEditor(0);
  EXPECT_DOUBLE_EQ(plug.GetParam(0)->Value(), 0.8);
  EXPECT_DOUBLE_EQ(plug.getParamNormalized(0), 0.8);
  using Kind = KelvoraTestHost::ComponentHandler::EditKind;
  const auto edits = handler->edits();
  ASSERT_EQ(edits.size(), 3u);
  EXPECT_EQ(edits[0].kind, Kind::Begin);
  EXPECT_EQ(edits[1].kind, Kind::Perform);
  EXPECT_DOUBLE_EQ(edits[1].value, 0.8);
  EXPECT_EQ(edits[2].kind, Kind::End);

  plug.GetParam(3)->SetValue(0.4);
  plug.AnnounceAllParamsToHost();
  EXPECT_EQ(handler->groupEditsStarted(), 1);
  EXPECT_EQ(handler->groupEditsFinished(), 1);
  EXPECT_EQ(handler->edits().size(), 3u + 5u);
  EXPECT_DOUBLE_EQ(plug.getParamNormalized(3), 0.4);

  plug.ChangeLatency(32);
  plug.ParamDetailsChanged();
  EXPECT_EQ(plug.getLatencySamples(), 32u);
  EXPECT_EQ(handler->restartFlags(), (std::vector<int32>{kLatencyChanged, kParamTitlesChanged}));
  plug.setComponentHandler(nullptr);
}

} // namespace
