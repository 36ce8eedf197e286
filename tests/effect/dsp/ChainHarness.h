#pragma once

#include "SaturationChain.h"
#include "TestRenders.h"

#include <cstddef>
#include <utility>

// The chain driven as the effect drives it: the parameter values as plain numbers (a new
// effect's defaults until a test sets them), the sample rate the host set and the two outputs
// the effect's channel configurations connect.
class TestChain {
public:
  static constexpr int kConnectedOutputs = 2;

  void SetSampleRate(double rate) { frameRate = rate; }
  void ResetProcessing() { chain.Reset(frameRate, kConnectedOutputs); }
  void RenderBlock(double** inputs, double** outputs, int nFrames) {
    chain.RenderBlock(params, frameRate, kConnectedOutputs, inputs, outputs, nFrames);
  }
  void SetSeedSource(SaturationChain::SeedSource source) { chain.SetSeedSource(std::move(source)); }
  double Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                  double divisor) {
    return chain.Saturate(channel, mode, x, upperRef, lowerRef, divisor);
  }
  void SetParam(int idx, double value) { params[static_cast<std::size_t>(idx)] = value; }

  SaturationChain& Chain() { return chain; }
  const SaturationChain& Chain() const { return chain; }

private:
  SaturationChain chain;
  SaturationChain::ParamValues params = kDefaultParamValues;
  double frameRate = 0.0;
};

inline void SetParamValue(TestChain& k, int idx, double value) {
  k.SetParam(idx, value);
}
