#pragma once

#include "KelvoraParams.h"
#include "StateFamilies.h"

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

// The effect's processing exactly as it sounded before the vector kernel, one sample at a time:
// the oracle the fast kernel is held to. It is frozen on purpose; the golden checksums pin it.
class ReferenceKernel {
public:
  using SeedSource = std::function<std::uint32_t()>;

  // Prepared as a host would prepare the effect: sample rate set, reset done, stereo.
  ReferenceKernel(double sampleRate, SeedSource seeds);

  // Plain parameter values, as the effect's parameters hold them.
  void SetParam(int idx, double value) { params[static_cast<std::size_t>(idx)] = value; }
  void SetSampleRate(double rate) { frameRate = rate; }
  void ResetProcessing();
  void RenderBlock(double** inputs, double** outputs, int nFrames);
  // Every state family by name, to lay beside the chain's.
  StateFamilies NamedState() const { return KELVORA_NAMED_STATE(*this); }

private:
  using History = std::array<double, 64>;
  using Slots = std::array<double, 16>;

  struct BlockValues {
    float inGain, outGain, tame, bias, wet;
    bool bypassOn, reactOn, deltaOn;
    int osIndex;
    double drive, biasOffset, tameCurve;
    double jitter, jitterD;
    double inGainComp, tameC, tameKeep;
  };

  BlockValues ReadBlockValues() const;
  void RunResetPass(int osIndex, int nChans);
  double DrawJitter();
  double ProcessSample(int ch, double input, const BlockValues& bv);
  void SizeChannels(int nChans);
  void ClearChannelScalars(int ch);
  double Smooth(int ch, int j, double v);
  double Adaa(int ch, int slot, double v);
  double Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                  double divisor);

  std::array<double, kNumParams> params{0., 0., 0., 0., 32., 50., 0.5, 100., 0.5};
  double frameRate = 0.0;
  SeedSource seedSource;

  float gainCompensation = 1.0f;
  int oversamplingFactor = 1;
  bool resetPending = true;
  int lastOversamplingIndex = 0;
  double sampleRate = 0.0;
  double levelDivisor = 1.618033988749895;
  double returnMix = 0.3819660112501051;
  double holdMix = 0.6180339887498949;
  double adaaTolerance = 1e-5;

  std::vector<History> outputHistory, blockOutHistory, driveHistory;
  std::vector<Slots> smoothState, smoothGain, smoothKeep;
  std::vector<Slots> adaaPrevInput, adaaPrevIntegral;
  std::vector<double> prevInput, postPrev, lastOutput, trackValue;
  std::vector<double> filterState1, filterState2;
  std::vector<double> dcState, dcGain, dcKeep;

  double rateRatio = 1.0;
  double tameRateRatio = 2.0;
  double jitterLow = 2.0011596521816433;
  double jitterHigh = 2.0023318412286644;
  double toneB0 = 0.8132425994466649;
  double toneB1 = 1.6264851988933298;
  double toneB2 = 0.8132425994466649;
  double toneA1 = 1.5912978843171357;
  double toneA2 = 0.661672513469524;
};
