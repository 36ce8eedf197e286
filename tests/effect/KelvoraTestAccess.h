#pragma once

#include "Kelvora.h"

#include <cmath>
#include <cstdint>
#include <vector>

// Reaches the effect's state where its sound alone cannot show what happened.
struct KelvoraTestAccess {
  static double SmoothGain(const Kelvora& k, int ch, int j) { return k.smoothGain[ch][j]; }
  static double SmoothKeep(const Kelvora& k, int ch, int j) { return k.smoothKeep[ch][j]; }
  static double& AdaaPrevInput(Kelvora& k, int ch, int slot) { return k.adaaPrevInput[ch][slot]; }
  static double& AdaaPrevIntegral(Kelvora& k, int ch, int slot) {
    return k.adaaPrevIntegral[ch][slot];
  }
  static double& DriveHistory(Kelvora& k, int ch, int j) { return k.driveHistory[ch][j]; }
  static double& FilterState1(Kelvora& k, int ch) { return k.filterState1[ch]; }
  static double& FilterState2(Kelvora& k, int ch) { return k.filterState2[ch]; }
  static double DcGain(const Kelvora& k, int ch) { return k.dcGain[ch]; }
  static int OversamplingFactor(const Kelvora& k) { return k.oversamplingFactor; }
  static bool ResetPending(const Kelvora& k) { return k.resetPending; }
  static float GainCompensation(const Kelvora& k) { return k.gainCompensation; }
  static double RateRatio(const Kelvora& k) { return k.rateRatio; }
  static std::vector<double> Tone(const Kelvora& k) {
    return {k.toneB0, k.toneB1, k.toneB2, k.toneA1, k.toneA2};
  }
  static std::vector<double> Constants(const Kelvora& k) {
    return {k.levelDivisor, k.returnMix,     k.holdMix,   k.adaaTolerance,
            k.rateRatio,    k.tameRateRatio, k.jitterLow, k.jitterHigh};
  }
  // Every value the chain carries from one sample to the next, for checks of finiteness, walked
  // through the effect's own list of state families. The upsampling ramp's smoother is the one
  // state left unflushed by design; it can be left out.
  static std::vector<double> AllState(const Kelvora& k, bool withRampSmoother = true) {
    std::vector<double> all;
    for (const auto& family : Kelvora::kHistoryFamilies)
      for (const auto& h : k.*family.channels)
        all.insert(all.end(), h.begin(), h.end());
    for (const auto& family : Kelvora::kSlotFamilies) {
      const bool skipRamp = !withRampSmoother && family.channels == &Kelvora::smoothState;
      for (const auto& slots : k.*family.channels)
        for (int j = 0; j < kelvora::kSmootherSlots; ++j)
          if (!(skipRamp && j == kelvora::kRampStep)) all.push_back(slots[j]);
    }
    for (const auto& family : Kelvora::kScalarFamilies)
      all.insert(all.end(), (k.*family.channels).begin(), (k.*family.channels).end());
    return all;
  }
};
