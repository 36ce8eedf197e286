#include "ReferenceKernel.h"

#include "ToneCoefficients.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// The arithmetic guards as the oracle was written, kept here so that it cannot drift with the
// effect's own.
bool HasExponent(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x7FF0000000000000ull) != 0;
}

double Flush(double v) {
  return HasExponent(v) ? v : 0.0;
}

double Nudge(double v) {
  return HasExponent(v) ? v + 1e-39 : 1e-39;
}

double Clamp01(double v) {
  return std::max(0.0, std::min(1.0, v));
}

constexpr long double kKnee = 0.9885530946569389L;
constexpr long double kCeiling = 0.9772372209558107L;

double Poly(double v) {
  const long double lv = v;
  const double d = static_cast<double>(std::fabs(lv + kKnee) - std::fabs(lv - kKnee));
  const double m = 0.45 * Flush(d);
  return 1.45 * m - 0.45 * m * m * m;
}

double LogCosh(double v) {
  const double a = std::fabs(v);
  if (a < 700.0) return std::log(std::cosh(v));
  return a + std::log1p(std::exp(-2.0 * a)) - 0.69314718055994530942;
}

double WithSignOf(double x, double y) {
  return x < 0.0 ? -std::fabs(y) : std::fabs(y);
}

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

double ReturnBlend(double z, double w, double g, double returnMix) {
  const double t1 = g * z + (1.0 - g) * w;
  const double mix = Clamp01(returnMix);
  return mix * w + (1.0 - mix) * t1;
}

} // namespace

ReferenceKernel::ReferenceKernel(double sampleRate, SeedSource seeds)
    : frameRate(sampleRate), seedSource(std::move(seeds)) {
  SizeChannels(2);
  ResetProcessing();
}

void ReferenceKernel::SizeChannels(int nChans) {
  const auto n = static_cast<std::size_t>(nChans);
  for (auto* family : {&outputHistory, &blockOutHistory, &driveHistory})
    family->assign(n, History{});
  for (auto* family : {&smoothState, &smoothGain, &smoothKeep, &adaaPrevInput, &adaaPrevIntegral})
    family->assign(n, Slots{});
  for (auto* values : {&prevInput, &postPrev, &lastOutput, &trackValue, &filterState1,
                       &filterState2, &dcState, &dcGain, &dcKeep})
    values->assign(n, 0.0);
}

void ReferenceKernel::ClearChannelScalars(int ch) {
  for (auto* values : {&prevInput, &postPrev, &lastOutput, &trackValue, &filterState1,
                       &filterState2, &dcState, &dcGain, &dcKeep})
    (*values)[ch] = 0.0;
}

void ReferenceKernel::ResetProcessing() {
  sampleRate = frameRate;
  SizeChannels(2);
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

void ReferenceKernel::RunResetPass(int osIndex, int nChans) {
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

double ReferenceKernel::Smooth(int ch, int j, double v) {
  double& state = smoothState[ch][j];
  state = smoothGain[ch][j] * v + Flush(state * smoothKeep[ch][j]);
  return state;
}

ReferenceKernel::BlockValues ReferenceKernel::ReadBlockValues() const {
  BlockValues bv{};
  bv.inGain = static_cast<float>(params[kInputGain] / 100.0);
  bv.outGain = static_cast<float>(params[kOutputGain] / 100.0);
  bv.tame = static_cast<float>(params[kTame]);
  bv.bias = static_cast<float>(params[kBias]);
  const float wet = static_cast<float>(params[kWet] / 100.0);
  bv.wet = wet > 0.0f ? wet : 0.0f;
  bv.bypassOn = static_cast<int>(static_cast<float>(params[kBypass])) > 0;
  bv.reactOn = static_cast<int>(params[kReact]) == 1;
  bv.osIndex = static_cast<int>(params[kOversampling]);
  bv.deltaOn = static_cast<int>(params[kDelta]) == 1;
  return bv;
}

double ReferenceKernel::DrawJitter() {
  std::mt19937 generator(seedSource());
  const float r = static_cast<float>(generator()) * 2.3283064365386963e-10f;
  const double rc = std::min(1.0, static_cast<double>(r));
  return rc * jitterLow + (1.0 - rc) * jitterHigh;
}

void ReferenceKernel::RenderBlock(double** inputs, double** outputs, int nFrames) {
  BlockValues bv = ReadBlockValues();
  if (bv.osIndex != lastOversamplingIndex) resetPending = true;
  lastOversamplingIndex = bv.osIndex;

  bv.drive = std::pow(3.0, static_cast<double>(bv.inGain));
  bv.biasOffset = 1.5 * bv.bias - 0.75;
  bv.tameCurve = std::pow(1.5 * bv.tame, 11.0) / (tameRateRatio + 1e-39);

  const double sr = frameRate;
  sampleRate = sr;
  rateRatio = std::max(1.0, std::min(4.5, sr * 2.2675736961451248e-05));
  tameRateRatio = std::max(1.0, std::min(9.0, sr * 4.5351473922902495e-05));

  const int nChans = 2;
  if (resetPending) RunResetPass(bv.osIndex, nChans);

  bv.jitter = DrawJitter();
  bv.jitterD = bv.jitter + 1e-39;
  bv.inGainComp = Flush(
      static_cast<double>(1.0L - 0.33810717055349724167L * static_cast<long double>(bv.inGain)));
  bv.tameC = Clamp01(bv.tame);
  bv.tameKeep = 1.0 - Clamp01(bv.tame);

  for (int ch = 0; ch < nChans; ++ch) {
    const double* in = inputs[ch];
    double* out = outputs[ch];
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

double ReferenceKernel::Adaa(int ch, int slot, double v) {
  const double p = adaaPrevInput[ch][slot];
  const double f = LogCosh(v);
  double t;
  if (adaaTolerance > std::fabs(v - p))
    t = std::tanh((p + v) * 0.5);
  else
    t = (f - adaaPrevIntegral[ch][slot]) / (v - p + 1e-39);
  adaaPrevIntegral[ch][slot] = f + 1e-39;
  adaaPrevInput[ch][slot] = v + 1e-39;
  return t;
}

double ReferenceKernel::Saturate(int channel, int mode, double x, double upperRef, double lowerRef,
                                 double divisor) {
  const double a = std::fabs(x);
  if (mode == 1) {
    double g = a;
    if (lowerRef > 1e-38) {
      const double t1 = std::tanh(Nudge(a - lowerRef));
      const double t2 = std::tanh(Nudge(upperRef - lowerRef));
      const double t3 = std::tanh(Nudge(t1 / (divisor + 1e-39)));
      const double t4 = std::tanh(Nudge(a - t3));
      const double s = Clamp01(static_cast<double>(static_cast<long double>(a) - kKnee));
      double g1 = a;
      if (t1 > t2) {
        const double u = Clamp01(std::tanh(Nudge(upperRef / (lowerRef + 1e-39))));
        const double pull = Flush(u * upperRef + (1.0 - u) * a);
        g1 = Flush(s * pull + (1.0 - s) * a);
      }
      g = (1.0 - s) * g1 + s * t4;
    }
    const double t = Adaa(channel, 5, g);
    const double y = Flush(0.5 * Poly(g) + 0.5 * Clamp01(t));
    driveHistory[channel][0] = y;
    return WithSignOf(x, y);
  }
  double y = a;
  if (static_cast<long double>(a) > kCeiling) {
    const double o = static_cast<double>(static_cast<long double>(a) - kCeiling);
    const double t = Adaa(channel, 6, o);
    const double hi = static_cast<double>(kCeiling + static_cast<long double>(0.5 * t + 0.5 * o));
    const double u = Clamp01((a - 0.9772372209558107) / 0.02276277904418933);
    y = u * hi + (1.0 - u) * a;
  }
  if (y > 0.85) {
    const double k = Poly(y);
    const double w = Clamp01((y - 0.85) / 0.15000000000000002);
    y = w * k + (1.0 - w) * y;
  }
  return WithSignOf(x, y);
}

double ReferenceKernel::ProcessSample(int ch, double input, const BlockValues& bv) {
  const double dry = std::isfinite(input) ? input : 0.0;
  const double x = Nudge(dry);

  for (History* history : {&outputHistory[ch], &blockOutHistory[ch], &driveHistory[ch]})
    std::copy_backward(history->begin(), history->begin() + 35, history->begin() + 36);

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
  if (bv.outGain < 1.0f) out = out * bv.outGain;

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
