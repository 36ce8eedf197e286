#include "IPlugVST3.h"

#include "HostContextMenu.h"
#include "IGraphics.h"
#include "IPlugVST3Constants.h"
#include "IPlugVST3View.h"
#include "Refuse.h"
#include "Utf16Text.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivsthostapplication.h"

#include <cstdint>
#include <cstring>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kApiVST3 = 1;
constexpr int kHostWaveLab = 31;
constexpr int kStateReadPiece = 128;
constexpr size_t kMaxHostNameBytes = 128;

} // namespace

IPlugVST3::IPlugVST3(const InstanceInfo&, const Config& config)
    : IPlugInstance(config, kApiVST3), IPlugVST3ProcessorBase(static_cast<IPlugInstance&>(*this)),
      IPlugVST3ControllerBase(static_cast<IPlugInstance&>(*this)) {
  BindParameterContainer(parameters);
  CreateTimer();
}

IPlugVST3::~IPlugVST3() = default;

tresult PLUGIN_API IPlugVST3::initialize(FUnknown* context) {
  if (SingleComponentEffect::initialize(context) != kResultOk) return kResultFalse;

  CreateAudioBuses(audioInputs, audioOutputs);
  if (DoesMidiIn()) addEventInput(STR16("MIDI Input"), 1);
  if (DoesMidiOut()) addEventOutput(STR16("MIDI Output"), 1);
  InitializeUnitsAndParams(*this, GetPlugType() == 1, DoesMidiIn());

  bool identified = false;
  if (GetHost() == -1) {
    FUnknownPtr<IHostApplication> app(context);
    String128 name{};
    if (app && app->getName(name) == kResultOk) {
      IdentifyHost(Utf16ToUtf8(name, 128, kMaxHostNameBytes).c_str(), 0);
      identified = true;
    }
  }
  // Identification already ran the hook.
  if (!identified) HostIdentifiedHook();
  AnnounceAllParams(kSourceReset);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::terminate() {
  ForgetParameterObjects();
  return SingleComponentEffect::terminate();
}

tresult PLUGIN_API IPlugVST3::getState(IBStream* state) {
  KELVORA_REFUSE_IF(!state, kInvalidArgument);
  IByteChunk chunk;
  if (!WriteHostState(chunk)) return kResultFalse;
  state->write(chunk.GetData(), chunk.Size(), nullptr);
  return kResultOk;
}

// The state starts where the host's stream stands, which need not be its beginning.
tresult PLUGIN_API IPlugVST3::setState(IBStream* state) {
  KELVORA_REFUSE_IF(!state, kInvalidArgument);
  IByteChunk chunk;
  uint8_t piece[kStateReadPiece];
  const bool isWaveLab = GetHost() == kHostWaveLab;
  while (chunk.Size() < kMaxStateBytes) {
    int32 numRead = 0;
    const tresult result = state->read(piece, kStateReadPiece, &numRead);
    if (numRead <= 0 || numRead > kStateReadPiece) break;
    chunk.PutBytes(piece, numRead);
    if (result != kResultOk && !isWaveLab) break;
  }
  if (!ReadHostState(chunk)) return kResultFalse;
  UpdateParamObjectsFromParams();
  UpdateBypassFromState(IsBypassed() ? 1 : 0);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::setActive(TBool state) {
  SetActive(state != 0);
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                 SpeakerArrangement* outputs, int32 numOuts) {
  return SetBusArrangements(inputs, numIns, outputs, numOuts, audioInputs, audioOutputs)
             ? kResultTrue
             : kResultFalse;
}

tresult PLUGIN_API IPlugVST3::canProcessSampleSize(int32 symbolicSampleSize) {
  return CanProcessSampleSize(symbolicSampleSize) ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IPlugVST3::getLatencySamples() {
  return static_cast<uint32>(GetLatency());
}

uint32 PLUGIN_API IPlugVST3::getTailSamples() {
  return static_cast<uint32>(GetTailSize());
}

tresult PLUGIN_API IPlugVST3::setupProcessing(ProcessSetup& setup) {
  return SetupProcessing(setup, processSetup) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3::setProcessing(TBool state) {
  SetProcessing(state != 0);
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3::process(ProcessData& data) {
  Process(data, audioInputs, audioOutputs);
  return kResultTrue;
}

uint32 PLUGIN_API IPlugVST3::getProcessContextRequirements() {
  return 0;
}

// Everything lives in the component state, which this same object restores.
tresult PLUGIN_API IPlugVST3::setComponentState(IBStream*) {
  return kResultOk;
}

IPlugView* PLUGIN_API IPlugVST3::createView(FIDString name) {
  if (!name || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
  auto* view = new IPlugVST3View(*this);
  ViewOpened(view, nullptr);
  return view;
}

ParamValue PLUGIN_API IPlugVST3::getParamNormalized(ParamID tag) {
  return GetParamNormalized(tag);
}

tresult PLUGIN_API IPlugVST3::setParamNormalized(ParamID tag, ParamValue value) {
  return SetParamNormalized(tag, value);
}

int32 PLUGIN_API IPlugVST3::getProgramListCount() {
  return 0;
}

tresult PLUGIN_API IPlugVST3::getProgramListInfo(int32, ProgramListInfo&) {
  return kResultFalse;
}

tresult PLUGIN_API IPlugVST3::getProgramName(ProgramListID listId, int32 programIndex,
                                             String128 name) {
  if (NPresets() < 1 || listId != kProgramListID || !name) return kResultFalse;
  if (programIndex < 0 || programIndex >= NPresets()) return kResultFalse;
  Utf8ToUtf16(PresetName(programIndex), name, 128);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) {
  return kResultFalse;
}

tresult PLUGIN_API IPlugVST3::setUnitProgramData(int32, int32, IBStream*) {
  return kResultFalse;
}

tresult PLUGIN_API IPlugVST3::getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                          CtrlNumber midiControllerNumber,
                                                          ParamID& id) {
  if (busIndex != 0 || channel > 0 || channel < 0) return kResultFalse;
  if (midiControllerNumber < 0 || midiControllerNumber >= kCountMidiCCParams) return kResultFalse;
  id = static_cast<ParamID>(channel * kCountMidiCCParams + midiControllerNumber) +
       kMIDICCParamStartIndex;
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3::setChannelContextInfos(IAttributeList* list) {
  return SetChannelContextInfos(list);
}

void IPlugVST3::BeginHostEdit(int paramIdx) {
  beginEdit(static_cast<ParamID>(paramIdx));
}

void IPlugVST3::PerformHostEdit(int paramIdx, double normalizedValue) {
  performEdit(static_cast<ParamID>(paramIdx), normalizedValue);
}

void IPlugVST3::EndHostEdit(int paramIdx) {
  endEdit(static_cast<ParamID>(paramIdx));
}

void IPlugVST3::AnnounceAllParamsToHost() {
  UpdateParamObjectsFromParams();
  startGroupEdit();
  IPlugAPIBase::AnnounceAllParamsToHost();
  finishGroupEdit();
}

void IPlugVST3::SetParamFromEditor(int paramIdx, double normalizedValue) {
  IPlugVST3ControllerBase::SetParamFromEditor(paramIdx, normalizedValue);
}

void IPlugVST3::ChangeLatency(int samples) {
  IPlugProcessor::ChangeLatency(samples);
  if (componentHandler) componentHandler->restartComponent(kLatencyChanged);
}

bool IPlugVST3::EmitMidiMessage(const IMidiMsg& msg) {
  return QueueMidiOutput(msg);
}

void IPlugVST3::ParamDetailsChanged() {
  if (componentHandler) componentHandler->restartComponent(kParamTitlesChanged);
}

bool IPlugVST3::EditorResize(int width, int height) {
  const bool changed = width != GetEditorWidth() || height != GetEditorHeight();
  if (HasUI() && changed && mView && mViewFrame) {
    ViewRect rect(0, 0, width, height);
    mViewFrame->resizeView(mView, &rect);
  }
  SetEditorSize(width, height);
  return true;
}

void IPlugVST3::TrackColour(int& red, int& green, int& blue) {
  const auto colour = static_cast<uint32_t>(ChannelColor());
  red = static_cast<int>((colour >> 16) & 0xFF);
  green = static_cast<int>((colour >> 8) & 0xFF);
  blue = static_cast<int>(colour & 0xFF);
}

void IPlugVST3::TrackName(std::string& name) {
  name = ChannelName();
}

int IPlugVST3::TrackIndex() {
  return ChannelIndex();
}

void IPlugVST3::TrackNamespace(std::string& name) {
  name = ChannelNamespace();
}

int IPlugVST3::TrackNamespaceIndex() {
  return ChannelNamespaceIndex();
}

void IPlugVST3::ViewOpened(IPlugView* view, IPlugFrame* frame) {
  mView = view;
  mViewFrame = frame;
}

void IPlugVST3::ViewClosed() {
  mView = nullptr;
  mViewFrame = nullptr;
}

tresult PLUGIN_API IPlugVST3::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  QUERY_INTERFACE(iid, obj, IMidiMapping::iid, IMidiMapping)
  QUERY_INTERFACE(iid, obj, ChannelContext::IInfoListener::iid, ChannelContext::IInfoListener)
  return SingleComponentEffect::queryInterface(iid, obj);
}

// The editor gives window points; the view the host knows measures in device pixels.
bool IPlugVST3::ShowHostContextMenu(IControl& control, int paramIdx, const IPopupMenu& items,
                                    float x, float y) {
  if (paramIdx < 0 || paramIdx >= NParams()) return false;
  const float scale = GetUI() ? GetUI()->ScreenScale() : 1.f;
  return ::ShowHostContextMenu(componentHandler, mView, control,
                               static_cast<Steinberg::Vst::ParamID>(paramIdx), items, x * scale,
                               y * scale);
}
