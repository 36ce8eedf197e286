// A VST 3 module with a stand-in effect: parameters named as two of Kelvora's knobs, "Input
// Gain" (the factor the input is multiplied by) and "Wet" (unused), both 0.5 by default, and
// an editor of plain Win32 drawing. The host's loader, renderer and editor session are checked
// on it, apart from the product's own module.
#include "StandInView.h"
#include "pluginfactory.h"
#include "vstsinglecomponenteffect.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr ParamID kInputGain = 7;
constexpr ParamID kWet = 8;
const FUID kClassId(0x4B656C76, 0x53746E64, 0x496E4566, 0x66656374);

class StandIn : public SingleComponentEffect {
public:
  tresult PLUGIN_API initialize(FUnknown* context) override {
    if (SingleComponentEffect::initialize(context) != kResultOk) return kResultFalse;
    addAudioInput(STR16("In"), SpeakerArr::kStereo);
    addAudioOutput(STR16("Out"), SpeakerArr::kStereo);
    parameters.addParameter(STR16("Input Gain"), nullptr, 0, 0.5, ParameterInfo::kCanAutomate,
                            kInputGain);
    parameters.addParameter(STR16("Wet"), nullptr, 0, 0.5, ParameterInfo::kCanAutomate, kWet);
    return kResultOk;
  }

  tresult PLUGIN_API canProcessSampleSize(int32 size) override {
    return size == kSample64 ? kResultTrue : kResultFalse;
  }

  tresult PLUGIN_API process(ProcessData& data) override {
    IParameterChanges* changes = data.inputParameterChanges;
    for (int32 i = 0; changes && i < changes->getParameterCount(); ++i) {
      IParamValueQueue* queue = changes->getParameterData(i);
      int32 offset = 0;
      ParamValue value = 0;
      if (queue && queue->getParameterId() == kInputGain &&
          queue->getPoint(queue->getPointCount() - 1, offset, value) == kResultOk)
        gain = value;
    }
    if (data.numInputs < 1 || data.numOutputs < 1) return kResultOk;
    const int32 channels = std::min(data.inputs[0].numChannels, data.outputs[0].numChannels);
    for (int32 c = 0; c < channels; ++c) {
      const double* in = data.inputs[0].channelBuffers64[c];
      double* out = data.outputs[0].channelBuffers64[c];
      for (int32 s = 0; s < data.numSamples; ++s)
        out[s] = in[s] * gain;
    }
    return kResultOk;
  }

  IPlugView* PLUGIN_API createView(FIDString name) override {
    if (!name || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
    return new StandInView(*this, kInputGain, kWet);
  }

  static FUnknown* Create(void*) { return static_cast<IAudioProcessor*>(new StandIn); }

private:
  double gain = 0.5;
};

} // namespace

extern "C" {

__declspec(dllexport) bool PLUGIN_API InitDll() {
  return true;
}

__declspec(dllexport) bool PLUGIN_API ExitDll() {
  return true;
}

__declspec(dllexport) IPluginFactory* PLUGIN_API GetPluginFactory() {
  if (gPluginFactory) {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  auto* factory = new CPluginFactory(
      PFactoryInfo("Murkwhale", "https://murkwhale.example", "", PFactoryInfo::kUnicode));
  const PClassInfo info(kClassId.toTUID(), PClassInfo::kManyInstances, kVstAudioEffectClass,
                        "Stand-in");
  factory->registerClass(&info, StandIn::Create);
  gPluginFactory = factory;
  return gPluginFactory;
}

} // extern "C"
