#pragma once

#include "IPlugInstance.h"
#include "IPlugVST3ControllerBase.h"
#include "IPlugVST3ProcessorBase.h"
#include "InstanceInfo.h"
#include "sdk/vstsinglecomponenteffect.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstchannelcontextinfo.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"

// The plug-in's VST 3 binding: one object that is at once the instance, component, audio
// processor and edit controller. It translates the host's calls into the instance's: the
// processing calls through the processing half, parameters and channel context through the
// controller half; state, units, MIDI mapping and the host operations of the API base are
// answered here.
class IPlugVST3 : public IPlugInstance,
                  public IPlugVST3ProcessorBase,
                  public IPlugVST3ControllerBase,
                  public Steinberg::Vst::SingleComponentEffect,
                  public Steinberg::Vst::IMidiMapping,
                  public Steinberg::Vst::ChannelContext::IInfoListener {
public:
  // Most bytes setState reads from a host stream; the state is a small fraction of it.
  static constexpr int kMaxStateBytes = 64 * 1024 * 1024;

  IPlugVST3(const InstanceInfo& info, const Config& config);
  ~IPlugVST3() override;

  // IPluginBase and IComponent
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  Steinberg::tresult PLUGIN_API terminate() override;
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;

  // IAudioProcessor
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  Steinberg::uint32 PLUGIN_API getTailSamples() override;
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
  Steinberg::uint32 PLUGIN_API getProcessContextRequirements() override;

  // IEditController
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;
  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID tag) override;
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID tag,
                                                   Steinberg::Vst::ParamValue value) override;

  // IUnitInfo
  Steinberg::int32 PLUGIN_API getProgramListCount() override;
  Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                                   Steinberg::Vst::ProgramListInfo& info) override;
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId,
                                               Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) override;
  Steinberg::tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type,
                                             Steinberg::Vst::BusDirection dir,
                                             Steinberg::int32 busIndex, Steinberg::int32 channel,
                                             Steinberg::Vst::UnitID& unitId) override;
  Steinberg::tresult PLUGIN_API setUnitProgramData(Steinberg::int32 listOrUnitId,
                                                   Steinberg::int32 programIndex,
                                                   Steinberg::IBStream* data) override;

  // IMidiMapping
  Steinberg::tresult PLUGIN_API getMidiControllerAssignment(
      Steinberg::int32 busIndex, Steinberg::int16 channel,
      Steinberg::Vst::CtrlNumber midiControllerNumber, Steinberg::Vst::ParamID& id) override;

  // IChannelContext::IInfoListener
  Steinberg::tresult PLUGIN_API
  setChannelContextInfos(Steinberg::Vst::IAttributeList* list) override;

  // Host operations for the API base
  void BeginHostEdit(int paramIdx) override;
  void PerformHostEdit(int paramIdx, double normalizedValue) override;
  void EndHostEdit(int paramIdx) override;
  void AnnounceAllParamsToHost() override;
  void SetParamFromEditor(int paramIdx, double normalizedValue) override;
  void ChangeLatency(int samples) override;
  void ParamDetailsChanged() override;
  bool EditorResize(int width, int height) override;
  void TrackColour(int& red, int& green, int& blue) override;
  void TrackName(std::string& name) override;
  int TrackIndex() override;
  void TrackNamespace(std::string& name) override;
  int TrackNamespaceIndex() override;
  bool ShowHostContextMenu(IControl& control, int paramIdx, const IPopupMenu& items, float x,
                           float y) override;

  // The frame's MIDI output goes to the host's event output of the block.
  bool EmitMidiMessage(const IMidiMsg& msg) override;

  // The editor view reports itself here while it is open, with the frame the host gave it.
  void ViewOpened(Steinberg::IPlugView* view, Steinberg::IPlugFrame* frame);
  void ViewClosed();

  OBJ_METHODS(IPlugVST3, SingleComponentEffect)
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  REFCOUNT_METHODS(SingleComponentEffect)

private:
  Steinberg::IPlugView* mView = nullptr;
  Steinberg::IPlugFrame* mViewFrame = nullptr;
};
