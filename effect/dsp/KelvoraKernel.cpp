// The vectors hold one channel pair, two doubles: AVX-512 has nothing to add over AVX2 with FMA,
// and SSE4 nothing over SSSE3, so those variants are not built.
#ifndef HWY_DISABLED_TARGETS
#define HWY_DISABLED_TARGETS (HWY_SSE4 | HWY_AVX3 | HWY_AVX3_DL)
#endif

#include "KelvoraKernel.h"

#include "KelvoraConstants.h"
#include "SignalGuards.h"

#include <algorithm>
#include <cmath>
#include <limits>

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "KelvoraKernel.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include <hwy/contrib/math/math-inl.h>
#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace kelvora {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;

// Two lanes where the instruction set has them; the scalar baseline takes one channel at a time.
using D = hn::CappedTag<double, kLanes>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

HWY_INLINE V Splat(double v) {
  return hn::Set(D(), v);
}

// Zero or subnormal (the exponent field is all zeros): below the least normal magnitude. A
// floating-point comparison, so that the chains through the smoothers do not cross into the
// integer unit and back.
HWY_INLINE M LacksExponent(V v) {
  return hn::Lt(hn::Abs(v), Splat(std::numeric_limits<double>::min()));
}

HWY_INLINE V Flush(V v) {
  return hn::IfThenZeroElse(LacksExponent(v), v);
}

// Zero and subnormal values become the guard, others get it added: for any double the plain sum
// does both, since a subnormal is far below half a unit in the last place of the guard.
HWY_INLINE V Nudge(V v) {
  return hn::Add(v, Splat(kGuard));
}

HWY_INLINE V Clamp01(V v) {
  return hn::Max(hn::Zero(D()), hn::Min(Splat(1.0), v));
}

// a·weight + b·(1 − weight).
HWY_INLINE V Blend(V weight, V a, V b) {
  return hn::Add(hn::Mul(weight, a), hn::Mul(hn::Sub(Splat(1.0), weight), b));
}

HWY_INLINE V Poly(V v) {
  const V knee = Splat(static_cast<double>(kKnee));
  const V d = hn::Sub(hn::Abs(hn::Add(v, knee)), hn::Abs(hn::Sub(v, knee)));
  const V m = hn::Mul(Splat(kCubicSpan), Flush(d));
  const V cube = hn::Mul(hn::Mul(hn::Mul(Splat(kCubicSpan), m), m), m);
  return hn::Sub(hn::Mul(Splat(kCubicLinear), m), cube);
}

// ln(cosh(v)) as |v| + ln(1 + e^(−2|v|)) − ln 2: one exponential and one logarithm, and no
// overflow for any finite v.
template <class Tag> HWY_INLINE hn::Vec<Tag> LogCoshOf(Tag d, hn::Vec<Tag> v) {
  const auto a = hn::Abs(v);
  const auto tail = hn::Log1p(d, hn::Exp(d, hn::Mul(hn::Set(d, -2.0), a)));
  return hn::Sub(hn::Add(a, tail), hn::Set(d, kLn2));
}

HWY_INLINE V LogCosh(V v) {
  return LogCoshOf(D(), v);
}

HWY_INLINE V Tanh(V v) {
  return hn::Tanh(D(), v);
}

// Two independent pairs at once: where the CPU has 256-bit vectors, one function call works out
// both, which halves the cost of the transcendental terms that do not wait on each other.
#if HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX2
template <class Function> HWY_INLINE void BothAtOnce(Function function, V a, V b, V& fa, V& fb) {
  const hn::Twice<D> d2;
  const auto both = function(d2, hn::Combine(d2, b, a));
  fa = hn::LowerHalf(D(), both);
  fb = hn::UpperHalf(D(), both);
}
#else
template <class Function> HWY_INLINE void BothAtOnce(Function function, V a, V b, V& fa, V& fb) {
  fa = function(D(), a);
  fb = function(D(), b);
}
#endif

HWY_INLINE void TanhOfBoth(V a, V b, V& ta, V& tb) {
  BothAtOnce([](auto d, auto v) { return hn::Tanh(d, v); }, a, b, ta, tb);
}

HWY_INLINE void LogCoshOfBoth(V a, V b, V& fa, V& fb) {
  BothAtOnce([](auto d, auto v) { return LogCoshOf(d, v); }, a, b, fa, fb);
}

HWY_INLINE V WithSignOf(V x, V magnitude) {
  return hn::IfThenElse(hn::Lt(x, hn::Zero(D())), hn::Neg(magnitude), magnitude);
}

// "Bias" at one strength: lets excursions of the favoured polarity through less processed, by
// blending z toward the reference where the slope has the sign of the offset.
class Bias {
public:
  Bias(double offset, double strength)
      : favoured(offset > 0.0   ? 1
                 : offset < 0.0 ? -1
                                : 0),
        keep(kelvora::Clamp01(1.0 - strength * std::fabs(offset))) {}

  V operator()(V z, V reference, V slope) const {
    if (favoured == 0) return z;
    const M leaning = favoured > 0 ? hn::Gt(slope, hn::Zero(D())) : hn::Lt(slope, hn::Zero(D()));
    return hn::IfThenElse(leaning, Blend(Splat(keep), z, reference), z);
  }

private:
  int favoured;
  double keep;
};

// The chain for one channel pair, step by step as the signal passes.
class PairChain {
public:
  // Runs the lanes from firstLane on, as many as the vectors hold.
  PairChain(const KernelBlock& block, PairState& state, int firstLane)
      : b(block), s(state), lane(firstLane), perFactor(1.0 / block.factor),
        perJitter(1.0 / block.jitterD), perFixedYieldSpan(1.0 / YieldSpan(block)),
        returnMix(kelvora::Clamp01(block.returnMix)), innerBias(block.biasOffset, 1.0),
        outputBias(block.biasOffset, kOutputBiasStrength) {
    for (int j = 0; j < kSmoothers; ++j) {
      smoothed[j] = Get(s.smoothState[j]);
      gain[j] = Get(s.smoothGain[j]);
      keep[j] = Get(s.smoothKeep[j]);
    }
    for (int slot : {kDriveSlot, kCeilingSlot}) {
      adaaInput[slot] = Get(s.adaaPrevInput[slot]);
      adaaIntegral[slot] = Get(s.adaaPrevIntegral[slot]);
    }
    for (const CarriedValue& value : kCarriedValues)
      c.*value.held = Get(s.*value.stored);
  }

  // Hands everything held here back to the state at the end of the block.
  void Finish() {
    for (int j = 0; j < kSmoothers; ++j)
      Put(smoothed[j], s.smoothState[j]);
    for (int slot : {kDriveSlot, kCeilingSlot}) {
      Put(adaaInput[slot], s.adaaPrevInput[slot]);
      Put(adaaIntegral[slot], s.adaaPrevIntegral[slot]);
    }
    for (const CarriedValue& value : kCarriedValues)
      Put(c.*value.held, s.*value.stored);
  }

  V ProcessSample(V dry) {
    const V x = Nudge(hn::Max(Splat(-kLoudestInput), hn::Min(Splat(kLoudestInput), dry)));
    ShiftHistories();
    // The ramp depends on the input alone, and so does the driven magnitude wherever the
    // pre-stage leaves it alone: their ln(cosh) terms are worked out ahead, free of the chain
    // that runs through the reference levels from one sub-sample to the next.
    V ramp[kLargestFactor], logCoshDriven[kLargestFactor];
    for (int k = 0; k < b.factor; ++k)
      ramp[k] = Upsample(x, k + 1);
    for (int k = 0; k + 1 < b.factor; k += 2)
      LogCoshOfBoth(hn::Mul(Splat(b.drive), ramp[k]), hn::Mul(Splat(b.drive), ramp[k + 1]),
                    logCoshDriven[k], logCoshDriven[k + 1]);
    if (b.factor == 1) logCoshDriven[0] = LogCosh(hn::Mul(Splat(b.drive), ramp[0]));

    // The drive reads nothing the later steps write, so it runs one sub-sample ahead of them,
    // placed where measurement showed the follower's work for one sub-sample best fills the long
    // waits in the drive's chain into the next.
    V decim = Splat(kGuard);
    V level = Splat(kGuard);
    V next = Drive(ramp[0], logCoshDriven[0]);
    for (int k = 0; k < b.factor; ++k) {
      const V w = next;
      V z = FollowAndTame(w, level);
      z = BiasTowardDrive(z, w);
      if (k + 1 < b.factor) next = Drive(ramp[k + 1], logCoshDriven[k + 1]);
      const V y2 = Ceiling(hn::Mul(TameMix(z, w), Splat(b.outGain)));
      const V z3 = HistoryFollow(y2);
      Put(z3, History(s.outputHistory, 0));
      decim = hn::Add(decim, Flush(hn::Mul(z3, Splat(perFactor))));
    }
    c.prevInput = x;
    return MixAndDelta(SoftClip(LowPass(DcRemover(Slew(Decimate(decim))))), dry);
  }

private:
  V Get(const PairState::Lanes& lanes) const { return hn::LoadU(D(), lanes + lane); }
  void Put(V v, PairState::Lanes& lanes) const { hn::StoreU(v, D(), lanes + lane); }

  // Element j of a history ring, as a reference to its two lanes.
  PairState::Lanes& History(PairState::HistoryLanes& h, int j) {
    return h[(s.historyStart + j) & (kHistoryLength - 1)];
  }

  // Element j := element j − 1 for the first kShiftedHistory elements; element 0 keeps its value.
  void ShiftHistories() {
    s.historyStart = (s.historyStart - 1) & (kHistoryLength - 1);
    for (PairState::HistoryLanes* h : {&s.outputHistory, &s.blockOutHistory, &s.driveHistory})
      Put(Get(History(*h, 1)), History(*h, 0));
  }

  V Smooth(int j, V v) {
    const V next = hn::Add(hn::Mul(gain[j], v), Flush(hn::Mul(smoothed[j], keep[j])));
    smoothed[j] = next;
    return next;
  }

  // Moves the smoother only in the lanes of `where`; returns the moved value in every lane.
  V SmoothWhere(M where, int j, V v) {
    const V next = hn::Add(hn::Mul(gain[j], v), Flush(hn::Mul(smoothed[j], keep[j])));
    smoothed[j] = hn::IfThenElse(where, next, smoothed[j]);
    return next;
  }

  V Smoothed(int j) const { return smoothed[j]; }

  // A ramp from the previous input by a smoothed increment.
  V Upsample(V x, int k) {
    const V previous = c.prevInput;
    const V step = hn::Add(hn::Mul(smoothed[kRampStep], keep[kRampStep]),
                           hn::Mul(hn::Sub(x, previous), gain[kRampStep]));
    smoothed[kRampStep] = step;
    const V inc = hn::Add(hn::Mul(step, Splat(perFactor)), Splat(kGuard));
    return Flush(hn::Add(hn::Mul(Splat(k - 1.0), inc), previous));
  }

  // The anti-aliased tanh: the slope of ln(cosh) since the previous argument, or tanh of the
  // midpoint for steps too small for the quotient. f is ln(cosh(v)); only the lanes of `update`
  // remember v.
  V AntiAliasedTanh(int slot, V v, V f, M update) {
    const V p = adaaInput[slot];
    const V step = hn::Sub(v, p);
    V t = hn::Div(hn::Sub(f, adaaIntegral[slot]), hn::Add(step, Splat(kGuard)));
    const M tiny = hn::Gt(Splat(b.adaaTolerance), hn::Abs(step));
    if (!hn::AllFalse(D(), tiny))
      t = hn::IfThenElse(tiny, Tanh(hn::Mul(hn::Add(p, v), Splat(0.5))), t);
    const V guard = Splat(kGuard);
    adaaIntegral[slot] = hn::IfThenElse(update, hn::Add(f, guard), adaaIntegral[slot]);
    adaaInput[slot] = hn::IfThenElse(update, hn::Add(v, guard), p);
    return t;
  }

  // Above the knee the magnitude leans toward the tanh of itself less a scaled tanh of its
  // excess over the lower reference, and is first pulled toward the upper one. Below the knee
  // the blend weight is 0 and the magnitude passes, so the tanh terms are skipped there.
  // Tells by `reshaped` whether the result differs from a in any lane.
  V PreStage(V a, V upper, V lower, bool& reshaped) {
    const M active =
        hn::And(hn::Gt(lower, Splat(kPreStageFloor)), hn::Gt(a, Splat(static_cast<double>(kKnee))));
    reshaped = !hn::AllFalse(D(), active);
    if (!reshaped) return a;
    V t1, t2, t3, u;
    TanhOfBoth(Nudge(hn::Sub(a, lower)), Nudge(hn::Sub(upper, lower)), t1, t2);
    // The pull's tanh goes along with t3; only lanes where t1 > t2 use it.
    TanhOfBoth(Nudge(hn::Mul(t1, Splat(perJitter))),
               Nudge(hn::Div(upper, hn::Add(lower, Splat(kGuard)))), t3, u);
    const V t4 = Tanh(Nudge(hn::Sub(a, t3)));
    const V weight = Clamp01(hn::Sub(a, Splat(static_cast<double>(kKnee))));
    V g1 = a;
    const M pulled = hn::Gt(t1, t2);
    if (!hn::AllFalse(D(), pulled)) {
      const V pull = Flush(Blend(Clamp01(u), upper, a));
      g1 = hn::IfThenElse(pulled, Flush(Blend(weight, pull, a)), a);
    }
    return hn::IfThenElse(active, Blend(weight, t4, g1), a);
  }

  // The driven saturation of the upsampled signal, mixed with it by "Wet".
  // logCoshX is ln(cosh) of the driven sample, for when the pre-stage leaves it as it is.
  V Drive(V u, V logCoshX) {
    const V upper = Smooth(kUpperRef, Get(History(s.driveHistory, b.near)));
    const V lower = Smooth(kLowerRef, Get(History(s.driveHistory, b.far)));
    const V x = hn::Mul(Splat(b.drive), u);
    bool reshaped;
    const V g = PreStage(hn::Abs(x), upper, lower, reshaped);
    const V f = reshaped ? LogCosh(g) : logCoshX;
    const V t = AntiAliasedTanh(kDriveSlot, g, f, hn::FirstN(D(), kLanes));
    const V y = Flush(hn::Add(hn::Mul(Splat(0.5), Poly(g)), hn::Mul(Splat(0.5), Clamp01(t))));
    Put(y, History(s.driveHistory, 0));
    const V y1 = hn::Mul(WithSignOf(x, y), Splat(b.inGainComp));
    return Blend(Splat(b.wetInLoop), y1, u);
  }

  // The level follower: holds the signal near the smoothed last output, yielding by "Tame" and,
  // with "React", by the signal's own level.
  V FollowAndTame(V w, V& level) {
    Smooth(kLastOutput, c.lastOutput);
    const V s3 = Flush(Smoothed(kLastOutput));
    const V nearRef = Smooth(kBlockNear, Get(History(s.blockOutHistory, b.near)));
    const V farRef = Smooth(kBlockFar, Get(History(s.blockOutHistory, b.far)));
    const V track = Smooth(kTrack, c.trackValue);

    const V v = hn::Sub(w, hn::Mul(hn::Sub(w, track), Splat(perJitter)));
    c.trackValue = Flush(v);

    // The spread does not depend on w: its reciprocal is ready before w is, which takes a
    // division off the path every sub-sample waits on.
    const V perSpread =
        hn::Div(Splat(1.0), hn::Add(hn::Abs(hn::Sub(nearRef, farRef)), Splat(kGuard)));
    const V dev = hn::Abs(hn::Sub(w, s3));
    const V ratio = Clamp01(Flush(hn::Mul(dev, perSpread)));
    V z = Blend(ratio, v, w);
    if (b.reactOn) z = hn::IfThenElse(hn::Gt(dev, level), Blend(ratio, z, w), z);
    z = Blend(Splat(b.holdMix), z, w);

    const V deviation = Flush(hn::Sub(w, s3));
    const V levelState = Smooth(kLevel, hn::Mul(hn::Add(deviation, Splat(1.0)), Splat(0.5)));
    if (b.reactOn) level = ReactLevel(Clamp01(levelState));
    const V g = Clamp01(hn::Mul(hn::Sub(levelState, level), PerYieldSpan(level)));
    const M above = hn::Gt(deviation, level);
    z = hn::IfThenElse(above, Yield(g, hn::Add(level, s3), z, w), z);
    const M below = hn::Gt(hn::Neg(deviation), level);
    z = hn::IfThenElse(below, Yield(g, hn::Sub(s3, level), z, w), z);

    const V e1 = hn::Abs(hn::Sub(z, w));
    const V e2 = hn::Abs(hn::Sub(z, nearRef));
    const V h = Clamp01(hn::Sub(Splat(1.0), hn::Abs(hn::Sub(e1, e2))));
    return hn::IfThenElse(hn::Gt(e1, e2), Blend(h, z, w), z);
  }

  // How far the level may stray before the follower yields fully, as a reciprocal; without
  // "React" the level stays at the guard and the span is the block's own.
  V PerYieldSpan(V level) const {
    if (!b.reactOn) return Splat(perFixedYieldSpan);
    const V q = hn::Mul(Flush(hn::Add(Splat(b.tameCurve), level)), Splat(1.0 / b.levelDivisor));
    return hn::Div(Splat(1.0), hn::Add(hn::Sub(q, level), Splat(kGuard)));
  }

  static double YieldSpan(const KernelBlock& block) {
    const double q = kelvora::Flush(block.tameCurve + kGuard) / block.levelDivisor;
    // The level minus the guard, plus the guard: not a no-op in floating point, and the same
    // rounding as PerYieldSpan with the level held at the guard.
    return q - kGuard + kGuard;
  }

  // (1 − (quiet·c + loud·(1 − c)))^8, by squaring.
  static V ReactLevel(V c) {
    const V base = hn::Sub(Splat(1.0), Blend(c, Splat(kLevelQuiet), Splat(kLevelLoud)));
    const V square = hn::Mul(base, base);
    const V fourth = hn::Mul(square, square);
    return hn::Mul(fourth, fourth);
  }

  // The follower gives way toward a bound; with "React" it also returns part way to w.
  V Yield(V g, V bound, V z, V w) const {
    V yielded = Blend(g, bound, z);
    if (b.reactOn) {
      yielded = Blend(Splat(returnMix), w, Blend(g, yielded, w));
    }
    return yielded;
  }

  V BiasTowardDrive(V z, V w) {
    const V slope = hn::Sub(z, Smoothed(kBlockNear));
    z = innerBias(z, w, slope);
    return hn::Sub(z, hn::Mul(slope, Splat(perJitter)));
  }

  // The "Tame" crossfade between the followed and the driven signal.
  V TameMix(V z, V w) const {
    return hn::Add(hn::Mul(Splat(b.tameC), z), hn::Mul(Splat(b.tameKeep), w));
  }

  // The output ceiling: identity up to 0.85, then a fade into the cubic, with the excess over
  // −0.2 dB compressed by the anti-aliased tanh.
  V Ceiling(V x) {
    const V a = hn::Abs(x);
    V y = a;
    const double threshold = static_cast<double>(kCeiling);
    const M over = hn::Gt(a, Splat(threshold));
    if (!hn::AllFalse(D(), over)) {
      const V o = hn::Sub(a, Splat(threshold));
      const V t = AntiAliasedTanh(kCeilingSlot, o, LogCosh(o), over);
      const V hi =
          hn::Add(Splat(threshold), hn::Add(hn::Mul(Splat(0.5), t), hn::Mul(Splat(0.5), o)));
      const V u = Clamp01(hn::Mul(hn::Sub(a, Splat(threshold)), Splat(1.0 / kCeilingFadeWidth)));
      y = hn::IfThenElse(over, Blend(u, hi, a), a);
    }
    const M fading = hn::Gt(y, Splat(kCubicFadeStart));
    if (!hn::AllFalse(D(), fading)) {
      const V w =
          Clamp01(hn::Mul(hn::Sub(y, Splat(kCubicFadeStart)), Splat(1.0 / kCubicFadeWidth)));
      y = hn::IfThenElse(fading, Blend(w, Poly(y), y), y);
    }
    return WithSignOf(x, y);
  }

  // Leans the ceiling's output toward the smoothed sub-sample output history, where it has one.
  V HistoryFollow(V y2) {
    const V oh0 = Get(History(s.outputHistory, 0));
    const V oh1 = Get(History(s.outputHistory, 1));
    const V ohNear = Get(History(s.outputHistory, b.near));
    const V ohFar = Get(History(s.outputHistory, b.far));
    const M hasNear = hn::Ne(ohNear, hn::Zero(D()));
    const M hasFar = hn::Ne(ohFar, hn::Zero(D()));
    // Once the near history has values in both lanes, the sub-sample just written (oh0) no longer
    // matters; branching then keeps it out of the chain from one sub-sample to the next.
    const V nearRef =
        hn::AllTrue(D(), hasNear)
            ? Smooth(kHistoryNear, ohNear)
            : hn::IfThenElse(hasNear, SmoothWhere(hasNear, kHistoryNear, ohNear), oh0);
    const V farRef = hn::IfThenElse(hasFar, SmoothWhere(hasFar, kHistoryFar, ohFar), oh1);
    const V e = Smooth(kHistoryStep, hn::Sub(y2, nearRef));
    const V f = Smooth(kHistoryTrend, hn::Sub(nearRef, farRef));
    const V r2 = hn::Div(y2, hn::Add(e, Splat(kGuard)));
    const V follow =
        Clamp01(hn::IfThenElse(LacksExponent(r2), Splat(1.0), hn::Sub(Splat(1.0), r2)));
    V zz;
    if (b.reactOn) {
      zz = hn::IfThenElse(hn::Gt(e, f), Blend(follow, nearRef, y2), y2);
      zz = hn::IfThenElse(hn::Gt(hn::Neg(e), f), Blend(follow, nearRef, zz), zz);
    } else {
      zz = Blend(follow, nearRef, y2);
    }
    const V z3 = hn::Add(hn::Mul(Splat(kHistoryShare), zz), hn::Mul(Splat(kCeilingShare), y2));
    return innerBias(z3, y2, e);
  }

  V Decimate(V decim) {
    V out = hn::Mul(Splat(b.gainCompensation), decim);
    Put(Flush(out), History(s.blockOutHistory, 0));
    c.lastOutput = Flush(out);
    // Output gains below 100 % act twice: into the ceiling and here.
    if (b.outGainBelowUnity) out = hn::Mul(out, Splat(b.outGain));
    return out;
  }

  // Takes back part of the step from the previous corrected output.
  V Slew(V out) {
    const V p = Smooth(kSlew, hn::Sub(out, c.postPrev));
    const V o2 = hn::Sub(out, hn::Mul(p, Splat(perJitter)));
    c.postPrev = Flush(o2);
    return outputBias(o2, out, p);
  }

  V DcRemover(V o2) {
    const V dc = hn::Add(hn::Mul(c.dcGain, o2), Flush(hn::Mul(c.dcState, c.dcKeep)));
    c.dcState = dc;
    return hn::Sub(o2, dc);
  }

  V LowPass(V o3) {
    const V yb = hn::Add(Flush(hn::Mul(Splat(b.toneB0), o3)), c.filterState1);
    c.filterState1 = hn::Add(
        hn::Sub(Flush(hn::Mul(Splat(b.toneB1), o3)), hn::Mul(Splat(b.toneA1), yb)), c.filterState2);
    c.filterState2 = hn::Sub(Flush(hn::Mul(Splat(b.toneB2), o3)), hn::Mul(Splat(b.toneA2), yb));
    return yb;
  }

  static V SoftClip(V yb) {
    V a = hn::Abs(yb);
    const M over = hn::Gt(a, Splat(kSoftClipStart));
    if (!hn::AllFalse(D(), over)) {
      const V w9 = Clamp01(hn::Mul(hn::Sub(a, Splat(kSoftClipStart)), Splat(1.0 / kSoftClipWidth)));
      a = hn::IfThenElse(over, Blend(w9, Poly(a), a), a);
    }
    return hn::IfThenElse(hn::Lt(yb, hn::Zero(D())), hn::Neg(a), a);
  }

  V MixAndDelta(V res, V dry) const {
    if (b.dryFade < 1.0) res = Blend(Splat(b.dryFade), res, dry);
    if (b.deltaOn) res = hn::Sub(res, dry);
    return res;
  }

  // A copy, so that the compiler need not reload it after every store to the state.
  const KernelBlock b;
  PairState& s;
  const int lane;
  const double perFactor; // one sub-sample's share of an input sample
  // Dividing by the jitter is multiplying by this; the quotients differ in the last bit at most.
  const double perJitter;
  const double perFixedYieldSpan;
  const double returnMix;
  const Bias innerBias, outputBias;
  // The values carried from sample to sample are held here for the block, in registers where the
  // compiler can, rather than making a round trip through memory at every step.
  static constexpr int kSmoothers = kSlew + 1;
  V smoothed[kSmoothers], gain[kSmoothers], keep[kSmoothers];
  V adaaInput[kAntiAliasingSlots], adaaIntegral[kAntiAliasingSlots];
  struct Carried {
    V prevInput, postPrev, lastOutput, trackValue;
    V filterState1, filterState2, dcState, dcGain, dcKeep;
  } c;
  struct CarriedValue {
    V Carried::*held;
    PairState::Lanes PairState::*stored;
  };
  static constexpr CarriedValue kCarriedValues[] = {
      {&Carried::prevInput, &PairState::prevInput},
      {&Carried::postPrev, &PairState::postPrev},
      {&Carried::lastOutput, &PairState::lastOutput},
      {&Carried::trackValue, &PairState::trackValue},
      {&Carried::filterState1, &PairState::filterState1},
      {&Carried::filterState2, &PairState::filterState2},
      {&Carried::dcState, &PairState::dcState},
      {&Carried::dcGain, &PairState::dcGain},
      {&Carried::dcKeep, &PairState::dcKeep},
  };
};

} // namespace

void ProcessChannelPairOn(const KernelBlock& block, PairState& state,
                          const double* const in[kLanes], double* const out[kLanes], int nFrames) {
  const D d;
  const int width = static_cast<int>(hn::Lanes(d));
  // Every lane group shifts the histories once per sample from the same start.
  const int historyStart = state.historyStart;
  for (int first = 0; first < kLanes; first += width) {
    state.historyStart = historyStart;
    PairChain chain(block, state, first);
    double samples[kLanes];
    for (int i = 0; i < nFrames; ++i) {
      for (int lane = first; lane < first + width; ++lane) {
        const double sample = in[lane] ? in[lane][i] : 0.0;
        // A non-finite sample would poison every recursive state for good: it counts as silence.
        samples[lane - first] = std::isfinite(sample) ? sample : 0.0;
      }
      hn::StoreU(chain.ProcessSample(hn::LoadU(d, samples)), d, samples);
      for (int lane = first; lane < first + width; ++lane)
        if (out[lane]) out[lane][i] = samples[lane - first];
    }
    chain.Finish();
  }
}

} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace kelvora {

HWY_EXPORT(ProcessChannelPairOn);

void ProcessChannelPair(const KernelBlock& block, PairState& state, const double* const in[kLanes],
                        double* const out[kLanes], int nFrames) {
  HWY_DYNAMIC_DISPATCH(ProcessChannelPairOn)(block, state, in, out, nFrames);
}

std::vector<KernelPath> AvailableKernelPaths() {
  std::vector<KernelPath> paths;
  for (std::int64_t target : hwy::SupportedAndGeneratedTargets())
    paths.push_back({target, hwy::TargetName(target)});
  return paths;
}

void UseKernelPath(std::int64_t target) {
  hwy::SetSupportedTargetsForTest(target);
}

} // namespace kelvora
#endif
