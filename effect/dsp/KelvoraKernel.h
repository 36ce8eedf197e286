#pragma once

#include "KelvoraSlots.h"

// The effect's signal chain for two channels at once, one channel per vector lane, compiled for
// several instruction sets and chosen at run time from what the CPU offers.
namespace kelvora {

// The pair of channels the kernel processes together.
constexpr int kLanes = 2;

// The most sub-samples per input sample ("Oversampling" 8x).
constexpr int kLargestFactor = 8;

// Everything the chain reads that stays fixed for one block.
struct KernelBlock {
  int factor;    // sub-samples per input sample
  int near, far; // how far back the reference levels sit in the histories
  double drive, inGainComp;
  double wetInLoop, holdMix, levelDivisor, returnMix, adaaTolerance;
  double tameCurve, tameC, tameKeep, outGain;
  bool outGainBelowUnity, reactOn, deltaOn;
  double biasOffset, jitterD;
  double dryFade; // weight of the processed signal against the dry one, 1 when no fade
  double gainCompensation;
  double toneB0, toneB1, toneB2, toneA1, toneA2;
};

// Two channels' state, every value a pair [first lane, second lane]. The histories are rings:
// element j of a history sits at (historyStart + j) modulo its length, so that the shift once
// per input sample moves one index instead of every value.
struct PairState {
  using Lanes = double[kLanes];
  using HistoryLanes = Lanes[kHistoryLength];
  using SmootherLanes = Lanes[kSmootherSlots];
  using AntiAliasingLanes = Lanes[kAntiAliasingSlots];

  alignas(16) HistoryLanes outputHistory, blockOutHistory, driveHistory;
  int historyStart;
  alignas(16) SmootherLanes smoothState, smoothGain, smoothKeep;
  alignas(16) AntiAliasingLanes adaaPrevInput, adaaPrevIntegral;
  alignas(16) Lanes prevInput, postPrev, lastOutput, trackValue;
  alignas(16) Lanes filterState1, filterState2, dcState, dcGain, dcKeep;
};

// Renders nFrames samples of the two channels. A null input reads as silence and a null output
// is not written; the caller keeps such a lane's state out of the effect. Inputs and outputs may
// be the same buffers. No allocation, lock or system call.
void ProcessChannelPair(const KernelBlock& block, PairState& state, const double* const in[kLanes],
                        double* const out[kLanes], int nFrames);

} // namespace kelvora
