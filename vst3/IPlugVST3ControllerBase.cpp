#include "IPlugVST3ControllerBase.h"

#include "IPlugInstance.h"
#include "IPlugVST3Constants.h"
#include "IPlugVST3Parameter.h"
#include "MidiControllerNames.h"
#include "Refuse.h"
#include "Utf16Text.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstchannelcontextinfo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Hosts announce the length of a channel text before it; an absurd length must not turn
// into an absurd buffer.
constexpr int64 kMaxChannelTextLength = 4096;

Unit* MakeUnit(const char* name, UnitID id, UnitID parent) {
  UnitInfo info{};
  info.id = id;
  info.parentUnitId = parent;
  info.programListId = kNoProgramListId;
  Utf8ToUtf16(name, info.name, 128);
  return new Unit(info);
}

// A text attribute whose length the host gives under lengthKey, as UTF-8. False when absent.
bool ReadChannelText(IAttributeList& list, IAttributeList::AttrID lengthKey,
                     IAttributeList::AttrID textKey, std::string& out) {
  int64 length = 0;
  if (list.getInt(lengthKey, length) != kResultTrue) return false;
  length = std::clamp<int64>(length, 0, kMaxChannelTextLength);
  std::vector<TChar> text(static_cast<size_t>(length) + 1, 0);
  if (list.getString(textKey, text.data(), static_cast<uint32>(text.size() * sizeof(TChar))) !=
      kResultTrue)
    return false;
  text.back() = 0;
  out = Utf16ToUtf8(text.data(), text.size(), 4 * text.size());
  return true;
}

} // namespace

void IPlugVST3ControllerBase::BindParameterContainer(ParameterContainer& container) {
  mParameters = &container;
}

void IPlugVST3ControllerBase::InitializeUnitsAndParams(EditControllerEx1& controller,
                                                       bool isInstrument, bool doesMidiIn) {
  Unit* root = MakeUnit("Root", kRootUnitId, kNoParentUnitId);

  mBypassParameter = nullptr;
  if (!isInstrument) {
    mBypassParameter = new IPlugVST3BypassParameter;
    mParameters->addParameter(mBypassParameter);
  }
  controller.addUnit(root);

  // A group already in the plug-in's list (from an earlier initialize) still needs its unit
  // in this controller.
  std::set<UnitID> groupUnits;
  for (int i = 0; i < mPlug.NParams(); ++i) {
    IParam* param = mPlug.GetParam(i);
    const char* group = param->Group();
    UnitID unitID = kRootUnitId;
    if (group && *group) {
      unitID = mPlug.AddParamGroup(group) + 1;
      if (groupUnits.insert(unitID).second)
        controller.addUnit(MakeUnit(group, unitID, kRootUnitId));
    }
    mParameters->addParameter(new IPlugVST3Parameter(param, static_cast<ParamID>(i), unitID));
  }

  if (!doesMidiIn) return;
  const UnitID midiUnit = controller.getUnitCount() + 1;
  controller.addUnit(MakeUnit("MIDI CCs", midiUnit, kRootUnitId));
  const UnitID channelUnit = controller.getUnitCount() + 1;
  char channelName[16];
  std::snprintf(channelName, sizeof(channelName), "CH%i", 1);
  controller.addUnit(MakeUnit(channelName, channelUnit, midiUnit));

  String128 title;
  for (int c = 0; c < 128; ++c) {
    Utf8ToUtf16(MidiControllerName(c), title, 128);
    mParameters->addParameter(title, nullptr, 0, 0.0, 0,
                              static_cast<int32>(kMIDICCParamStartIndex + c), channelUnit);
  }
  mParameters->addParameter(STR16("Channel Aftertouch"), nullptr, 0, 0.0, 0,
                            kMIDICCParamStartIndex + kChannelPressureController, channelUnit);
  mParameters->addParameter(STR16("Pitch Bend"), nullptr, 0, 0.5, 0,
                            kMIDICCParamStartIndex + kPitchBendController, channelUnit);
}

Parameter* IPlugVST3ControllerBase::ParameterObject(ParamID id) const {
  return mParameters ? mParameters->getParameter(id) : nullptr;
}

ParamValue IPlugVST3ControllerBase::GetParamNormalized(ParamID id) const {
  const Parameter* object = ParameterObject(id);
  return object ? object->getNormalized() : 0.0;
}

tresult IPlugVST3ControllerBase::SetParamNormalized(ParamID id, ParamValue value) {
  Parameter* object = ParameterObject(id);
  KELVORA_REFUSE_IF(!object || !std::isfinite(value), kResultFalse);
  object->setNormalized(value);
  if (id < kBypassParamID) mPlug.SetEditorParamFromHost(static_cast<int>(id), value);
  return kResultOk;
}

void IPlugVST3ControllerBase::UpdateParamObjectsFromParams() {
  for (int i = 0; i < mPlug.NParams(); ++i)
    if (Parameter* object = ParameterObject(static_cast<ParamID>(i)))
      object->setNormalized(mPlug.GetParam(i)->Normalized());
}

void IPlugVST3ControllerBase::UpdateBypassFromState(int32_t bypassed) {
  if (mBypassParameter) mBypassParameter->setNormalized(bypassed);
}

void IPlugVST3ControllerBase::SetParamFromEditor(int paramIdx, double normalized) {
  // A refused value reaches neither the parameter object nor the parameter.
  if (!mPlug.GetParam(paramIdx) || !std::isfinite(normalized)) return;
  if (Parameter* object = ParameterObject(static_cast<ParamID>(paramIdx)))
    object->setNormalized(normalized);
  mPlug.IPlugAPIBase::SetParamFromEditor(paramIdx, normalized);
}

tresult IPlugVST3ControllerBase::SetChannelContextInfos(IAttributeList* list) {
  if (!list) return kResultFalse;
  ReadChannelText(*list, ChannelContext::kChannelNameLengthKey, ChannelContext::kChannelNameKey,
                  mChannelName);
  ReadChannelText(*list, ChannelContext::kChannelUIDLengthKey, ChannelContext::kChannelUIDKey,
                  mChannelUID);
  int64 value = 0;
  if (list->getInt(ChannelContext::kChannelIndexKey, value) == kResultTrue)
    mChannelIndex = static_cast<int32_t>(value);
  if (list->getInt(ChannelContext::kChannelColorKey, value) == kResultTrue)
    mChannelColor = static_cast<int32_t>(static_cast<uint32_t>(value));
  if (list->getInt(ChannelContext::kChannelIndexNamespaceOrderKey, value) == kResultTrue)
    mChannelNamespaceIndex = static_cast<int32_t>(value);
  ReadChannelText(*list, ChannelContext::kChannelIndexNamespaceLengthKey,
                  ChannelContext::kChannelIndexNamespaceKey, mChannelNamespace);
  list->getInt(ChannelContext::kChannelPluginLocationKey, value);
  return kResultTrue;
}
