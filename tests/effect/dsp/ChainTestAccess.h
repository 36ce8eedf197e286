#pragma once

#include "SaturationChain.h"
#include "StateFamilies.h"

#include <vector>

// Reaches the chain's state where its sound alone cannot show what happened.
struct ChainTestAccess {
  using C = SaturationChain;

  static double SmoothGain(const C& k, int ch, int j) { return k.smoothGain[ch][j]; }
  static double SmoothKeep(const C& k, int ch, int j) { return k.smoothKeep[ch][j]; }
  static double& AdaaPrevInput(C& k, int ch, int slot) { return k.adaaPrevInput[ch][slot]; }
  static double& AdaaPrevIntegral(C& k, int ch, int slot) { return k.adaaPrevIntegral[ch][slot]; }
  static double& DriveHistory(C& k, int ch, int j) { return k.driveHistory[ch][j]; }
  static double& FilterState1(C& k, int ch) { return k.filterState1[ch]; }
  static double& FilterState2(C& k, int ch) { return k.filterState2[ch]; }
  static double DcGain(const C& k, int ch) { return k.dcGain[ch]; }
  static int OversamplingFactor(const C& k) { return k.oversamplingFactor; }
  static bool ResetPending(const C& k) { return k.resetPending; }
  static float GainCompensation(const C& k) { return k.gainCompensation; }
  static double RateRatio(const C& k) { return k.rateRatio; }
  static std::vector<double> Tone(const C& k) {
    return {k.toneB0, k.toneB1, k.toneB2, k.toneA1, k.toneA2};
  }
  static std::vector<double> Constants(const C& k) {
    return {k.levelDivisor, k.returnMix,     k.holdMix,   k.adaaTolerance,
            k.rateRatio,    k.tameRateRatio, k.jitterLow, k.jitterHigh};
  }
  // Every value the chain carries from one sample to the next, for checks of finiteness, walked
  // through the chain's own list of state families. The upsampling ramp's smoother is the one
  // state left unflushed by design; it can be left out.
  static std::vector<double> AllState(const C& k, bool withRampSmoother = true) {
    std::vector<double> all;
    for (const auto& family : C::kHistoryFamilies)
      for (const auto& h : k.*family.channels)
        all.insert(all.end(), h.begin(), h.end());
    for (const auto& family : C::kSlotFamilies) {
      const bool skipRamp = !withRampSmoother && family.channels == &C::smoothState;
      for (const auto& slots : k.*family.channels)
        for (int j = 0; j < kelvora::kSmootherSlots; ++j)
          if (!(skipRamp && j == kelvora::kRampStep)) all.push_back(slots[j]);
    }
    for (const auto& family : C::kScalarFamilies)
      all.insert(all.end(), (k.*family.channels).begin(), (k.*family.channels).end());
    return all;
  }
  // Every state family by name, to lay beside the oracle's.
  static StateFamilies NamedState(const C& k) { return KELVORA_NAMED_STATE(k); }
};
