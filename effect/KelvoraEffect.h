#pragma once

#include "KelvoraConfig.h"
#include "KelvoraEditor.h"
#include "KelvoraParamTable.h"
#include "SaturationChain.h"

#include <utility>

// The stereo saturation effect: its nine parameters and editor on a plug-in format's binding,
// and the signal chain they drive. The chain's state lives inside the effect; once per block the
// effect hands it the parameter values, the sample rate and the connected outputs.
//
// One effect for every format: Binding is a class over IPlugInstance whose constructor takes
// what its host hands an instance and the configuration. Each format's entry instantiates it
// once (Kelvora.cpp for VST 3, KelvoraLv2.cpp for LV2).
template <class Binding> class KelvoraEffect : public Binding {
public:
  // Supplies one 32-bit seed per block.
  using SeedSource = SaturationChain::SeedSource;

  // The instance information is passed on to the binding; the effect itself needs none.
  template <class HostInfo> explicit KelvoraEffect(const HostInfo& info);
  ~KelvoraEffect() override = default;

  void RenderBlock(double** inputs, double** outputs, int nFrames) override;
  void ResetProcessing() override;
  // The idle tick runs on the user-interface thread while blocks may be rendering: it must
  // leave every processing member as it is.
  void IdleHook() override {}

  // The per-sample waveshaper in one of the kelvora::SaturationMode modes; any other mode
  // returns x untouched. upperRef, lowerRef and divisor matter to the drive mode only. The block
  // processing runs the same shaper in its vector kernel.
  double Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                  double divisor) {
    return chain.Saturate(channel, mode, x, upperRef, lowerRef, divisor);
  }

  // Replaces the random device as the per-block seed source (renders and tests that must
  // repeat exactly); an empty source brings the random device back. Not for the audio thread.
  void SetSeedSource(SeedSource source) { chain.SetSeedSource(std::move(source)); }

private:
  friend struct KelvoraTestAccess;

  // Every parameter's value, each read once.
  SaturationChain::ParamValues ReadParamValues() const;

  SaturationChain chain;
};

template <class Binding>
template <class HostInfo>
KelvoraEffect<Binding>::KelvoraEffect(const HostInfo& info) : Binding(info, KelvoraConfig()) {
  for (int i = 0; i < kNumParams; ++i)
    this->GetParam(i)->Define(kKelvoraParams[static_cast<std::size_t>(i)]);

  // The chain was built for stereo; by now the binding has marked every output connected.
  chain.SizeChannels(SaturationChain::ChannelsWanted(this->CountConnected(kOutput)));

  this->mMakeGraphicsFunc = [this] { return MakeKelvoraGraphics(*this); };
  this->mLayoutFunc = [this](IGraphics* g) {
    if (g) LayoutKelvoraEditor(*g, *this);
  };
}

template <class Binding>
SaturationChain::ParamValues KelvoraEffect<Binding>::ReadParamValues() const {
  SaturationChain::ParamValues values{};
  for (int i = 0; i < kNumParams; ++i)
    values[static_cast<std::size_t>(i)] = this->GetParam(i)->Value();
  return values;
}

template <class Binding>
void KelvoraEffect<Binding>::RenderBlock(double** inputs, double** outputs, int nFrames) {
  chain.RenderBlock(ReadParamValues(), this->GetSampleRate(), this->CountConnected(kOutput), inputs,
                    outputs, nFrames);
}

template <class Binding> void KelvoraEffect<Binding>::ResetProcessing() {
  chain.Reset(this->GetSampleRate(), this->CountConnected(kOutput));
}
