#include "SaturationChain.h"

#include "SignalGuards.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

using kelvora::Clamp01;
using kelvora::Flush;
using kelvora::kGuard;

SaturationChain::BlockValues SaturationChain::ReadBlockValues(const ParamValues& params) {
  BlockValues bv{};
  bv.inGain = static_cast<float>(params[kInputGain] / 100.0);
  bv.outGain = static_cast<float>(params[kOutputGain] / 100.0);
  bv.tame = static_cast<float>(params[kTame]);
  bv.bias = static_cast<float>(params[kBias]);
  const float wet = static_cast<float>(params[kWet] / 100.0);
  bv.wet = wet > 0.0f ? wet : 0.0f;
  // Truncation, so that only a switch all the way up counts as on.
  bv.bypassOn = static_cast<int>(static_cast<float>(params[kBypass])) > 0;
  bv.reactOn = static_cast<int>(params[kReact]) == 1;
  bv.osIndex = static_cast<int>(params[kOversampling]);
  bv.deltaOn = static_cast<int>(params[kDelta]) == 1;
  return bv;
}

// One seed per block gives the slew correction a slightly different divisor every block.
double SaturationChain::DrawJitter() {
  const std::uint32_t seed = seedSource ? seedSource() : randomDevice();
  std::mt19937 generator(seed);
  const float r = static_cast<float>(generator()) * 2.3283064365386963e-10f;
  const double rc = std::min(1.0, static_cast<double>(r));
  return rc * jitterLow + (1.0 - rc) * jitterHigh;
}

void SaturationChain::RenderBlock(const ParamValues& params, double frameRate, int connectedOutputs,
                                  double** inputs, double** outputs, int nFrames) {
  BlockValues bv = ReadBlockValues(params);
  if (bv.osIndex != lastOversamplingIndex) resetPending = true;
  lastOversamplingIndex = bv.osIndex;

  bv.drive = std::pow(kelvora::kDriveBase, static_cast<double>(bv.inGain));
  bv.biasOffset = kelvora::kBiasScale * bv.bias - kelvora::kBiasCentre;
  bv.tameCurve =
      std::pow(kelvora::kTameScale * bv.tame, kelvora::kTameExponent) / (tameRateRatio + kGuard);

  sampleRate = frameRate;
  rateRatio = std::max(1.0, std::min(4.5, frameRate * kelvora::kPerCdRate));
  tameRateRatio = std::max(1.0, std::min(9.0, frameRate * kelvora::kPerHalfCdRate));

  const int nChans = std::min(ChannelsWanted(connectedOutputs), ChannelsInUse());
  if (resetPending) RunResetPass(bv.osIndex, nChans);

  bv.jitter = DrawJitter();
  bv.jitterD = bv.jitter + kGuard;
  bv.inGainComp = Flush(static_cast<double>(1.0L - kelvora::kInGainCompensation *
                                                       static_cast<long double>(bv.inGain)));
  bv.tameC = Clamp01(bv.tame);
  bv.tameKeep = 1.0 - Clamp01(bv.tame);

  if (!inputs || !outputs) return;
  if (bv.bypassOn) {
    for (int ch = 0; ch < nChans; ++ch) {
      if (!inputs[ch] || !outputs[ch] || nFrames <= 0) continue;
      std::memmove(outputs[ch], inputs[ch], static_cast<std::size_t>(nFrames) * sizeof(double));
      ClearChannelScalars(ch);
    }
    return;
  }
  const kelvora::KernelBlock block = MakeKernelBlock(bv);
  for (int first = 0; first < nChans; first += kelvora::kLanes) {
    // A channel without buffers is skipped: its lane runs on silence and its state stays put.
    int channels[kelvora::kLanes];
    const double* in[kelvora::kLanes];
    double* out[kelvora::kLanes];
    for (int lane = 0; lane < kelvora::kLanes; ++lane) {
      const int ch = first + lane;
      const bool connected = ch < nChans && inputs[ch] && outputs[ch];
      channels[lane] = connected ? ch : -1;
      in[lane] = connected ? inputs[ch] : nullptr;
      out[lane] = connected ? outputs[ch] : nullptr;
    }
    if (channels[0] < 0 && channels[1] < 0) continue;
    LoadPair(channels[0], channels[1]);
    kelvora::ProcessChannelPair(block, pairState, in, out, nFrames);
    StorePair(channels[0], channels[1]);
  }
}

kelvora::KernelBlock SaturationChain::MakeKernelBlock(const BlockValues& bv) const {
  // Reference levels a little further back at the higher rates.
  const int d = std::max(0, static_cast<int>(rateRatio - 1.0));
  kelvora::KernelBlock block{};
  block.factor = oversamplingFactor;
  block.near = std::max(1, d);
  block.far = 2 * d;
  block.drive = bv.drive;
  block.inGainComp = bv.inGainComp;
  block.wetInLoop = Clamp01(bv.wet);
  block.holdMix = Clamp01(holdMix);
  block.levelDivisor = levelDivisor;
  block.returnMix = returnMix;
  block.adaaTolerance = adaaTolerance;
  block.tameCurve = bv.tameCurve;
  block.tameC = bv.tameC;
  block.tameKeep = bv.tameKeep;
  block.outGain = bv.outGain;
  block.outGainBelowUnity = bv.outGain < 1.0f;
  block.reactOn = bv.reactOn;
  block.deltaOn = bv.deltaOn;
  block.biasOffset = bv.biasOffset;
  block.jitterD = bv.jitterD;
  block.dryFade = bv.wet < kelvora::kDryFadeEnd ? Clamp01(bv.wet / kelvora::kDryFadeEnd) : 1.0;
  block.gainCompensation = gainCompensation;
  block.toneB0 = toneB0;
  block.toneB1 = toneB1;
  block.toneB2 = toneB2;
  block.toneA1 = toneA1;
  block.toneA2 = toneA2;
  return block;
}
