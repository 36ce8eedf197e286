#include "Kelvora.h"

#include "SignalGuards.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using kelvora::Clamp01;
using kelvora::Flush;

double Kelvora::Smooth(int ch, int j, double v) {
  double& state = smoothState[ch][j];
  state = smoothGain[ch][j] * v + Flush(state * smoothKeep[ch][j]);
  return state;
}

Kelvora::BlockValues Kelvora::ReadBlockValues() {
  BlockValues bv{};
  bv.inGain = static_cast<float>(GetParam(kInputGain)->Value() / 100.0);
  bv.outGain = static_cast<float>(GetParam(kOutputGain)->Value() / 100.0);
  bv.tame = static_cast<float>(GetParam(kTame)->Value());
  bv.bias = static_cast<float>(GetParam(kBias)->Value());
  const float wet = static_cast<float>(GetParam(kWet)->Value() / 100.0);
  bv.wet = wet > 0.0f ? wet : 0.0f;
  // Truncation, so that only a switch all the way up counts as on.
  bv.bypassOn = static_cast<int>(static_cast<float>(GetParam(kBypass)->Value())) > 0;
  bv.reactOn = static_cast<int>(GetParam(kReact)->Value()) == 1;
  bv.osIndex = static_cast<int>(GetParam(kOversampling)->Value());
  bv.deltaOn = static_cast<int>(GetParam(kDelta)->Value()) == 1;
  return bv;
}

// One seed per block gives the slew correction a slightly different divisor every block.
double Kelvora::DrawJitter() {
  const std::uint32_t seed = seedSource ? seedSource() : randomDevice();
  std::mt19937 generator(seed);
  const float r = static_cast<float>(generator()) * 2.3283064365386963e-10f;
  const double rc = std::min(1.0, static_cast<double>(r));
  return rc * jitterLow + (1.0 - rc) * jitterHigh;
}

void Kelvora::RenderBlock(double** inputs, double** outputs, int nFrames) {
  BlockValues bv = ReadBlockValues();
  if (bv.osIndex != lastOversamplingIndex) resetPending = true;
  lastOversamplingIndex = bv.osIndex;

  bv.drive = std::pow(3.0, static_cast<double>(bv.inGain));
  bv.biasOffset = 1.5 * bv.bias - 0.75;
  bv.tameCurve = std::pow(1.5 * bv.tame, 11.0) / (tameRateRatio + 1e-39);

  const double sr = GetSampleRate();
  sampleRate = sr;
  rateRatio = std::max(1.0, std::min(4.5, sr * 2.2675736961451248e-05));
  tameRateRatio = std::max(1.0, std::min(9.0, sr * 4.5351473922902495e-05));

  const int nChans = std::min(ChannelsWanted(), ChannelsInUse());
  if (resetPending) RunResetPass(bv.osIndex, nChans);

  bv.jitter = DrawJitter();
  bv.jitterD = bv.jitter + 1e-39;
  bv.inGainComp = Flush(
      static_cast<double>(1.0L - 0.33810717055349724167L * static_cast<long double>(bv.inGain)));
  bv.tameC = Clamp01(bv.tame);
  bv.tameKeep = 1.0 - Clamp01(bv.tame);

  if (!inputs || !outputs) return;
  for (int ch = 0; ch < nChans; ++ch) {
    const double* in = inputs[ch];
    double* out = outputs[ch];
    if (!in || !out) continue;
    if (bv.bypassOn) {
      if (nFrames > 0) {
        std::memmove(out, in, static_cast<std::size_t>(nFrames) * sizeof(double));
        ClearChannelScalars(ch);
      }
      continue;
    }
    for (int i = 0; i < nFrames; ++i)
      out[i] = ProcessSample(ch, in[i], bv);
  }
}
