#pragma once

#include "EffectHarness.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <vector>

// The effect driven through its VST 3 audio-processor interface, in process.
namespace hosted {
using namespace Steinberg;
using namespace Steinberg::Vst;

// The parameter changes of one block: a single point for one parameter.
class OneChange : public IParameterChanges, public IParamValueQueue {
public:
  OneChange(ParamID id, ParamValue value) : id(id), value(value) {}
  virtual ~OneChange() = default;
  tresult PLUGIN_API queryInterface(const TUID, void** obj) override {
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }
  int32 PLUGIN_API getParameterCount() override { return 1; }
  IParamValueQueue* PLUGIN_API getParameterData(int32 index) override {
    return index == 0 ? this : nullptr;
  }
  IParamValueQueue* PLUGIN_API addParameterData(const ParamID&, int32&) override { return nullptr; }
  ParamID PLUGIN_API getParameterId() override { return id; }
  int32 PLUGIN_API getPointCount() override { return 1; }
  tresult PLUGIN_API getPoint(int32 index, int32& offset, ParamValue& v) override {
    if (index != 0) return kResultFalse;
    offset = 0;
    v = value;
    return kResultTrue;
  }
  tresult PLUGIN_API addPoint(int32, ParamValue, int32&) override { return kResultFalse; }

private:
  ParamID id;
  ParamValue value;
};

// The effect as a host runs it: initialised, buses arranged and active, set up, active and
// processing, fed stereo blocks of the chosen sample size through process(). The input is the
// test signal until SetInput replaces it.
class HostedKelvora {
public:
  HostedKelvora(int32 sampleSize, int blockSize, double sampleRate = 48000.0)
      : sampleSize(sampleSize), blockSize(blockSize) {
    k.initialize(&host);
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    k.setBusArrangements(&stereo, 1, &stereo, 1);
    ProcessSetup setup{kRealtime, sampleSize, blockSize, sampleRate};
    k.setupProcessing(setup);
    k.activateBus(kAudio, BusDirections::kInput, 0, true);
    k.activateBus(kAudio, BusDirections::kOutput, 0, true);
    k.setActive(true);
    k.setProcessing(true);
    for (int ch = 0; ch < 2; ++ch) {
      out64[ch].assign(static_cast<size_t>(blockSize), 0.0);
      out32[ch].assign(static_cast<size_t>(blockSize), 0.0f);
      outPointers64[ch] = out64[ch].data();
      outPointers32[ch] = out32[ch].data();
    }
    SetInput(TestSignal(blockSize));
  }
  ~HostedKelvora() {
    k.setProcessing(false);
    k.setActive(false);
    k.terminate();
  }
  HostedKelvora(const HostedKelvora&) = delete;
  HostedKelvora& operator=(const HostedKelvora&) = delete;

  Kelvora& Effect() { return k; }

  // Block-size input; converted to 32-bit samples for a 32-bit host.
  void SetInput(const Stereo& signal) {
    for (int ch = 0; ch < 2; ++ch) {
      const std::vector<double>& source = ch == 0 ? signal.left : signal.right;
      in64[ch] = source;
      in32[ch].assign(source.begin(), source.end());
      inPointers64[ch] = in64[ch].data();
      inPointers32[ch] = in32[ch].data();
    }
  }
  const std::vector<double>& Output64(int ch) const { return out64[ch]; }
  const std::vector<float>& Output32(int ch) const { return out32[ch]; }

  // One block; withInputs false sends it without input buses.
  void Process(IParameterChanges* changes = nullptr, bool withInputs = true) {
    AudioBusBuffers inputs{};
    AudioBusBuffers outputs{};
    inputs.numChannels = outputs.numChannels = 2;
    if (sampleSize == kSample64) {
      inputs.channelBuffers64 = inPointers64;
      outputs.channelBuffers64 = outPointers64;
    } else {
      inputs.channelBuffers32 = inPointers32;
      outputs.channelBuffers32 = outPointers32;
    }
    ProcessData data{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = sampleSize;
    data.numSamples = blockSize;
    data.numInputs = withInputs ? 1 : 0;
    data.inputs = withInputs ? &inputs : nullptr;
    data.numOutputs = 1;
    data.outputs = &outputs;
    data.inputParameterChanges = changes;
    k.process(data);
  }

private:
  HostApplication host;
  KelvoraInstance instance;
  Kelvora& k = instance.get();
  int32 sampleSize;
  int blockSize;
  std::vector<double> in64[2], out64[2];
  std::vector<float> in32[2], out32[2];
  double* inPointers64[2];
  double* outPointers64[2];
  float* inPointers32[2];
  float* outPointers32[2];
};

} // namespace hosted
