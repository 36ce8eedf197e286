#pragma once

#include "IPlugVST3.h"
#include "KelvoraParams.h"
#include "SaturationChain.h"

// The stereo saturation effect: its nine parameters and editor on the VST 3 plug-in class, and
// the signal chain they drive. The chain's state lives inside the effect; once per block the
// effect hands it the parameter values, the sample rate and the connected outputs.
class Kelvora : public IPlugVST3 {
public:
  // Supplies one 32-bit seed per block.
  using SeedSource = SaturationChain::SeedSource;

  // The instance information is passed on to the binding; the effect itself needs none.
  explicit Kelvora(const InstanceInfo& info);
  ~Kelvora() override;

  void RenderBlock(double** inputs, double** outputs, int nFrames) override;
  void ResetProcessing() override;
  void IdleHook() override;

  // The per-sample waveshaper in one of the kelvora::SaturationMode modes; any other mode returns
  // x untouched. upperRef, lowerRef and divisor matter to the drive mode only. The block
  // processing runs the same shaper in its vector kernel.
  double Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                  double divisor);

  // Replaces the random device as the per-block seed source (renders and tests that must
  // repeat exactly); an empty source brings the random device back. Not for the audio thread.
  void SetSeedSource(SeedSource source);

private:
  friend struct KelvoraTestAccess;

  // Every parameter's value, each read once.
  SaturationChain::ParamValues ReadParamValues() const;

  SaturationChain chain;
};
