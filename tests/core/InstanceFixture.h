#pragma once

#include "IPlugInstance.h"
#include "StatePluginFixture.h"

#include <algorithm>
#include <string>
#include <vector>

// An instance with no format around it, as a binding drives it: two parameters (a gain in
// 0..10 with fine steps, a switch), mono and stereo configurations. It records the hooks the
// core calls and renders output = input + 1, so every sample shows whether it was rendered.
class TestInstance : public IPlugInstance {
public:
  struct HookCall {
    std::string hook;
    int paramIdx;
    int source;
    double value;
  };

  TestInstance() : IPlugInstance(StateTestConfig(2, 0), 1) {
    GetParam(0)->DefineDouble("Gain", 2.0, 0.0, 10.0, 0.01);
    GetParam(1)->DefineDouble("Switch", 0.0, 0.0, 1.0, 1.0);
  }

  IGraphics* MakeGraphics() override { return nullptr; }
  void BuildLayout(IGraphics*) override {}
  bool EmitMidiMessage(const IMidiMsg&) override { return false; }

  void ParamChangeHook(int paramIdx, ParamChangeSource source, int sampleOffset) override {
    calls.push_back({"processing", paramIdx, source, static_cast<double>(sampleOffset)});
  }
  void EditorParamChangeHook(int paramIdx, ParamChangeSource source) override {
    calls.push_back({"editor", paramIdx, source, 0.0});
  }
  void SendParamValueToEditor(int paramIdx, double value, bool normalized) override {
    calls.push_back({normalized ? "shown normalised" : "shown", paramIdx, -1, value});
    IPlugInstance::SendParamValueToEditor(paramIdx, value, normalized);
  }
  void ResetProcessing() override { ++resets; }
  void ActivationChanged(bool active) override { activations.push_back(active); }

  void RenderBlock(double** inputs, double** outputs, int nFrames) override {
    pieces.push_back(nFrames);
    piecePositions.push_back(GetTimeInfo().mSamplePos);
    for (int ch = 0; ch < NChannels(kOutput); ++ch)
      for (int i = 0; i < nFrames; ++i)
        outputs[ch][i] = inputs[ch][i] + 1.0;
  }

  std::vector<double> Values() const { return {GetParam(0)->Value(), GetParam(1)->Value()}; }

  std::vector<HookCall> calls;
  int resets = 0;
  std::vector<bool> activations;
  std::vector<int> pieces;
  std::vector<double> piecePositions;
};

// A host block of two input and two output channels in either sample size, bound as a binding
// binds its host's buffers: every channel connected, each piece's pointers moved to its offset.
template <class Sample> class TestHostBlock : public IHostAudioBlock {
public:
  TestHostBlock(TestInstance& plug, int nFrames, Sample outputFill = Sample{0})
      : plug(plug), nFrames(nFrames) {
    for (int ch = 0; ch < 2; ++ch) {
      in[ch].assign(static_cast<size_t>(nFrames), Sample{0});
      out[ch].assign(static_cast<size_t>(nFrames), outputFill);
      for (int i = 0; i < nFrames; ++i)
        in[ch][static_cast<size_t>(i)] = static_cast<Sample>(0.25 + 0.001 * i + ch);
    }
  }

  int NFrames() const override { return nFrames; }
  ESampleSize SampleSize() const override {
    return sizeof(Sample) == sizeof(double) ? kSamples64 : kSamples32;
  }
  bool HasOutputs() const override { return hasOutputs; }
  void SilenceOutputs() override {
    ++silenced;
    for (auto& channel : out)
      std::fill(channel.begin(), channel.end(), Sample{0});
  }
  void BindPiece(int offset, int n) override {
    boundOffsets.push_back(offset);
    Sample* inputs[2] = {in[0].data() + offset, in[1].data() + offset};
    Sample* outputs[2] = {out[0].data() + offset, out[1].data() + offset};
    plug.MarkChannels(kInput, 0, 2, true);
    plug.MarkChannels(kOutput, 0, 2, true);
    if constexpr (sizeof(Sample) == sizeof(double)) {
      plug.BindHostBuffers(kInput, 0, 2, inputs);
      plug.BindHostBuffers(kOutput, 0, 2, outputs);
    } else {
      plug.BindHostBuffers32(kInput, 0, 2, inputs, n);
      plug.BindHostBuffers32(kOutput, 0, 2, outputs, n);
    }
  }

  TestInstance& plug;
  int nFrames;
  bool hasOutputs = true;
  int silenced = 0;
  std::vector<int> boundOffsets;
  std::vector<Sample> in[2], out[2];
};
