#include "Kelvora.h"

#include "SignalGuards.h"

#include <algorithm>
#include <cmath>

using kelvora::Clamp01;
using kelvora::Flush;
using kelvora::HasExponent;
using kelvora::Nudge;
using kelvora::Poly;

namespace {

// Lets positive (offset > 0) or negative (offset < 0) excursions through less processed: blends
// z back toward the reference when the slope has the favoured sign.
double Bias(double z, double reference, double offset, double slope, double strength) {
  if (offset > 0.0 && slope > 0.0) {
    const double c = Clamp01(1.0 - strength * offset);
    return c * z + (1.0 - c) * reference;
  }
  if (offset < 0.0 && slope < 0.0) {
    const double c = Clamp01(1.0 + strength * offset);
    return c * z + (1.0 - c) * reference;
  }
  return z;
}

// The follower's extra pull back toward the saturated signal w when "React" is on.
double ReturnBlend(double z, double w, double g, double returnMix) {
  const double t1 = g * z + (1.0 - g) * w;
  const double mix = Clamp01(returnMix);
  return mix * w + (1.0 - mix) * t1;
}

} // namespace

double Kelvora::ProcessSample(int ch, double input, const BlockValues& bv) {
  // A non-finite sample would poison every recursive state for good: it counts as silence.
  const double dry = std::isfinite(input) ? input : 0.0;
  const double x = Nudge(dry);

  for (History* history : {&outputHistory[ch], &blockOutHistory[ch], &driveHistory[ch]})
    std::copy_backward(history->begin(), history->begin() + 35, history->begin() + 36);

  // Reference levels a little further back at the higher rates.
  const int d = std::max(0, static_cast<int>(rateRatio - 1.0));
  const int near = std::max(1, d);
  const int far = 2 * d;

  const int n = oversamplingFactor;
  const double wetC = Clamp01(bv.wet);
  const double holdC = Clamp01(holdMix);
  Slots& ss = smoothState[ch];
  double decim = 1e-39;
  double level = 1e-39;

  for (int k = 1; k <= n; ++k) {
    // Linear upsampling: a ramp from the previous input by a smoothed increment.
    const double delta = x - prevInput[ch];
    ss[0] = ss[0] * smoothKeep[ch][0] + delta * smoothGain[ch][0];
    const double inc = ss[0] / n + 1e-39;
    const double u = Flush((k - 1) * inc + prevInput[ch]);

    Smooth(ch, 1, driveHistory[ch][near]);
    Smooth(ch, 2, driveHistory[ch][far]);
    const double y1 = Saturate(ch, 1, bv.drive * u, ss[1], ss[2], bv.jitter) * bv.inGainComp;
    const double w = wetC * y1 + (1.0 - wetC) * u;

    Smooth(ch, 3, lastOutput[ch]);
    const double s3 = Flush(ss[3]);
    Smooth(ch, 4, blockOutHistory[ch][near]);
    Smooth(ch, 5, blockOutHistory[ch][far]);
    Smooth(ch, 6, trackValue[ch]);

    const double v = w - (w - ss[6]) / bv.jitterD;
    trackValue[ch] = Flush(v);

    const double spread = std::fabs(ss[4] - ss[5]);
    const double dev = std::fabs(w - s3);
    const double ratio = Clamp01(Flush(dev / (spread + 1e-39)));
    double z = ratio * v + (1.0 - ratio) * w;
    if (bv.reactOn && dev > level) z = ratio * z + (1.0 - ratio) * w;
    z = holdC * z + (1.0 - holdC) * w;

    // The level follower: how far the signal strays from the smoothed last output.
    const double deviation = Flush(w - s3);
    Smooth(ch, 7, (deviation + 1.0) * 0.5);
    if (bv.reactOn) {
      const double c = Clamp01(ss[7]);
      level = std::pow(1.0 - (0.58223574541 * c + 0.91213574841 * (1.0 - c)), 8.0);
    }
    const double q = Flush(bv.tameCurve + level) / levelDivisor;
    const double g = Clamp01((ss[7] - level) / (q - level + 1e-39));
    if (deviation > level) {
      z = g * (level + s3) + (1.0 - g) * z;
      if (bv.reactOn) z = ReturnBlend(z, w, g, returnMix);
    }
    if (-deviation > level) {
      z = g * (s3 - level) + (1.0 - g) * z;
      if (bv.reactOn) z = ReturnBlend(z, w, g, returnMix);
    }

    const double e1 = std::fabs(z - w);
    const double e2 = std::fabs(z - ss[4]);
    if (e1 > e2) {
      const double h = Clamp01(1.0 - std::fabs(e1 - e2));
      z = h * z + (1.0 - h) * w;
    }
    const double slope = z - ss[4];
    z = Bias(z, w, bv.biasOffset, slope, 1.0);
    z = z - slope / bv.jitterD;

    const double x2 = (bv.tameC * z + bv.tameKeep * w) * bv.outGain;
    const double y2 = Saturate(ch, 2, x2, ss[1], ss[2], bv.jitter);

    // Follow the output history, where it has one.
    const History& oh = outputHistory[ch];
    const double b = oh[near] != 0.0 ? Smooth(ch, 8, oh[near]) : oh[0];
    const double c2 = oh[far] != 0.0 ? Smooth(ch, 9, oh[far]) : oh[1];
    const double e = Smooth(ch, 10, y2 - b);
    const double f = Smooth(ch, 11, b - c2);
    const double r2 = y2 / (e + 1e-39);
    const double follow = Clamp01(HasExponent(r2) ? 1.0 - r2 : 1.0);
    double zz;
    if (bv.reactOn) {
      zz = y2;
      if (e > f) zz = follow * b + (1.0 - follow) * zz;
      if (-e > f) zz = follow * b + (1.0 - follow) * zz;
    } else {
      zz = follow * b + (1.0 - follow) * y2;
    }
    double z3 = 0.2 * zz + 0.8 * y2;
    z3 = Bias(z3, y2, bv.biasOffset, e, 1.0);

    outputHistory[ch][0] = z3;
    decim = decim + Flush(z3 / n);
  }
  prevInput[ch] = x;

  double out = gainCompensation * decim;
  blockOutHistory[ch][0] = Flush(out);
  lastOutput[ch] = Flush(out);
  // Output gains below 100 % act twice: into the ceiling and here.
  if (bv.outGain < 1.0f) out = out * bv.outGain;

  // Slew correction.
  const double p = Smooth(ch, 12, out - postPrev[ch]);
  double o2 = out - p / bv.jitterD;
  postPrev[ch] = Flush(o2);
  o2 = Bias(o2, out, bv.biasOffset, p, 0.8);

  dcState[ch] = dcGain[ch] * o2 + Flush(dcState[ch] * dcKeep[ch]);
  const double o3 = o2 - dcState[ch];

  const double yb = Flush(toneB0 * o3) + filterState1[ch];
  filterState1[ch] = Flush(toneB1 * o3) - toneA1 * yb + filterState2[ch];
  filterState2[ch] = Flush(toneB2 * o3) - toneA2 * yb;

  double a = std::fabs(yb);
  if (a > 0.9) {
    const double k = Poly(a);
    const double w9 = Clamp01((a - 0.9) / 0.09999999999999998);
    a = (1.0 - w9) * a + w9 * k;
  }
  double res = yb < 0.0 ? -a : a;

  if (bv.wet < 0.82) {
    const double wg = Clamp01(bv.wet / 0.82);
    res = wg * res + (1.0 - wg) * dry;
  }
  if (bv.deltaOn) res = res - dry;
  return res;
}
