#pragma once

#include "IPlugVST3BypassParameter.h"

#include "pluginterfaces/vst/ivstattributes.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <cstdint>
#include <string>

class IPlugInstance;

// The controller side of the VST 3 plug-in class: creates the units and the parameter objects
// the host sees, keeps those objects and the plug-in's parameters in step, and holds what the
// host tells about the channel the plug-in sits on.
class IPlugVST3ControllerBase {
public:
  // The plug-in whose parameters the objects mirror; it outlives this controller half.
  explicit IPlugVST3ControllerBase(IPlugInstance& plug) : mPlug(plug) {}
  IPlugVST3ControllerBase(const IPlugVST3ControllerBase&) = delete;
  IPlugVST3ControllerBase& operator=(const IPlugVST3ControllerBase&) = delete;
  virtual ~IPlugVST3ControllerBase() = default;

  // The edit controller's container, where every parameter object lives; bound once the
  // controller exists, before any other call.
  void BindParameterContainer(Steinberg::Vst::ParameterContainer& container);

  // Units and parameter objects, in the order the host lists them: the bypass (not for
  // instruments), the plug-in's parameters, then with MIDI input the 130 controllers of
  // MIDI channel 1.
  void InitializeUnitsAndParams(Steinberg::Vst::EditControllerEx1& controller, bool isInstrument,
                                bool doesMidiIn);

  // The container has let its objects go (terminate).
  void ForgetParameterObjects() { mBypassParameter = nullptr; }

  Steinberg::Vst::ParamValue GetParamNormalized(Steinberg::Vst::ParamID id) const;
  // Non-finite values are refused; plug-in parameters also take the value through the
  // instance's host-value sequence for the editor side.
  Steinberg::tresult SetParamNormalized(Steinberg::Vst::ParamID id,
                                        Steinberg::Vst::ParamValue value);
  void UpdateParamObjectsFromParams();
  void UpdateBypassFromState(int32_t bypassed);
  // The editor's change: the parameter object first, then the API base's sequence.
  void SetParamFromEditor(int paramIdx, double normalized);

  Steinberg::tresult SetChannelContextInfos(Steinberg::Vst::IAttributeList* list);

  IPlugVST3BypassParameter* BypassParameter() const { return mBypassParameter; }
  const std::string& ChannelName() const { return mChannelName; }
  const std::string& ChannelNamespace() const { return mChannelNamespace; }
  const std::string& ChannelUID() const { return mChannelUID; }
  int32_t ChannelNamespaceIndex() const { return mChannelNamespaceIndex; }
  int32_t ChannelIndex() const { return mChannelIndex; }
  // ARGB, alpha in the most significant byte.
  int32_t ChannelColor() const { return mChannelColor; }

private:
  Steinberg::Vst::Parameter* ParameterObject(Steinberg::Vst::ParamID id) const;

  IPlugInstance& mPlug;
  Steinberg::Vst::ParameterContainer* mParameters = nullptr;
  IPlugVST3BypassParameter* mBypassParameter = nullptr;
  std::string mChannelName;
  std::string mChannelNamespace;
  std::string mChannelUID;
  int32_t mChannelNamespaceIndex = 0;
  int32_t mChannelIndex = 0;
  int32_t mChannelColor = 0;
};
