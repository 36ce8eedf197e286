#include "Kelvora.h"

#include "ToneCoefficients.h"

void Kelvora::ResetProcessing() {
  sampleRate = GetSampleRate();
  SizeChannels(ChannelsWanted());

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
void Kelvora::RunResetPass(int osIndex, int nChans) {
  static constexpr int kFactors[] = {1, 2, 4, 8};
  if (static_cast<unsigned>(osIndex) < 4u) oversamplingFactor = kFactors[osIndex];
  const int n = oversamplingFactor;

  for (int ch = 0; ch < nChans; ++ch) {
    prevInput[ch] = 0.0;
    postPrev[ch] = 0.0;
    lastOutput[ch] = 0.0;
    trackValue[ch] = 0.0;
    dcState[ch] = 0.0;
    blockOutHistory[ch].fill(0.0);
    driveHistory[ch].fill(0.0);
    for (Slots* slots : {&smoothState[ch], &smoothGain[ch], &smoothKeep[ch], &adaaPrevInput[ch],
                         &adaaPrevIntegral[ch]})
      slots->fill(0.0);
    for (int j = 0; j <= 12; ++j) {
      const double perSample = (j == 0 || j == 12) ? rateRatio : rateRatio * n;
      smoothGain[ch][j] = 1.0 / (perSample + 1e-39);
      smoothKeep[ch][j] = 1.0 - smoothGain[ch][j];
    }
    dcGain[ch] = 2.0 / (sampleRate + 1e-39);
    dcKeep[ch] = 1.0 - dcGain[ch];
  }
  resetPending = false;
}
