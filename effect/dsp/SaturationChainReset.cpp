#include "SaturationChain.h"

#include "SignalGuards.h"
#include "ToneCoefficients.h"

using kelvora::kGuard;

void SaturationChain::Reset(double frameRate, int connectedOutputs) {
  sampleRate = frameRate;
  SizeChannels(ChannelsWanted(connectedOutputs));

  if (const kelvora::ToneCoefficients* set = kelvora::FindToneCoefficients(sampleRate)) {
    toneB0 = set->b0;
    toneB1 = set->b1;
    toneB2 = set->b0;
    toneA1 = set->a1;
    toneA2 = set->a2;
    gainCompensation = set->gainCompensation;
  }
  resetPending = true;
}

// The smoother coefficients depend on both the sample rate and the oversampling factor, so the
// pass runs on the audio thread once the block's factor is known. The low-pass state and the
// output history carry on through it.
void SaturationChain::RunResetPass(int osIndex, int nChans) {
  static constexpr int kFactors[] = {1, 2, 4, 8};
  if (static_cast<unsigned>(osIndex) < 4u) oversamplingFactor = kFactors[osIndex];
  const int n = oversamplingFactor;

  for (int ch = 0; ch < nChans; ++ch) {
    for (const ScalarFamily& family : kScalarFamilies)
      if (!family.keptByResetPass) (this->*family.channels)[ch] = 0.0;
    for (const HistoryFamily& family : kHistoryFamilies)
      if (!family.keptByResetPass) (this->*family.channels)[ch].fill(0.0);
    for (const SlotFamily& family : kSlotFamilies)
      (this->*family.channels)[ch].fill(0.0);
    // The ramp and the slew smoothers run once per input sample, the others once per sub-sample.
    for (int j = kelvora::kRampStep; j <= kelvora::kSlew; ++j) {
      const bool perInputSample = j == kelvora::kRampStep || j == kelvora::kSlew;
      const double samples = perInputSample ? rateRatio : rateRatio * n;
      smoothGain[ch][j] = 1.0 / (samples + kGuard);
      smoothKeep[ch][j] = 1.0 - smoothGain[ch][j];
    }
    dcGain[ch] = 2.0 / (sampleRate + kGuard);
    dcKeep[ch] = 1.0 - dcGain[ch];
  }
  resetPending = false;
}
