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
  // Every value the chain carries from one sample to the next, for checks of finiteness. The
  // upsampling ramp's smoother (slot 0) is the one state left unflushed by design; it can be
  // left out.
  static std::vector<double> AllState(const Kelvora& k, bool withRampSmoother = true) {
    std::vector<double> all;
    for (const auto* family : {&k.outputHistory, &k.blockOutHistory, &k.driveHistory})
      for (const auto& h : *family)
        all.insert(all.end(), h.begin(), h.end());
    for (const auto* family :
         {&k.smoothState, &k.smoothGain, &k.smoothKeep, &k.adaaPrevInput, &k.adaaPrevIntegral})
      for (const auto& s : *family)
        all.insert(all.end(), s.begin() + (withRampSmoother || family != &k.smoothState ? 0 : 1),
                   s.end());
    for (const auto* values : {&k.prevInput, &k.postPrev, &k.lastOutput, &k.trackValue,
                               &k.filterState1, &k.filterState2, &k.dcState})
      all.insert(all.end(), values->begin(), values->end());
    return all;
  }
};
