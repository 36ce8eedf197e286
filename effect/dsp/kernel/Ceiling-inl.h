// The output ceiling of each sub-sample, and the follower of the sub-sample output history after
// it.
#if defined(KELVORA_KERNEL_CEILING_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef KELVORA_KERNEL_CEILING_INL_H_
#undef KELVORA_KERNEL_CEILING_INL_H_
#else
#define KELVORA_KERNEL_CEILING_INL_H_
#endif

#include "KelvoraConstants.h"
#include "KelvoraKernel.h"
#include "KelvoraSlots.h"

#include "LaneGroup-inl.h"
#include "Vectors-inl.h"

HWY_BEFORE_NAMESPACE();
namespace kelvora {
namespace HWY_NAMESPACE {
namespace {

// The output gain, then the ceiling: identity up to 0.85, then a fade into the cubic, with the
// excess over −0.2 dB compressed by the anti-aliased tanh.
class Ceiling {
public:
  Ceiling(const KernelBlock& block, const LaneGroup& group)
      : outGain(block.outGain), antiAliasedTanh(block, group, kCeilingSlot) {}

  V operator()(V tamed) {
    const V x = hn::Mul(tamed, Splat(outGain));
    const V a = hn::Abs(x);
    V y = a;
    const double threshold = static_cast<double>(kCeiling);
    const M over = hn::Gt(a, Splat(threshold));
    if (!hn::AllFalse(D(), over)) {
      const V o = hn::Sub(a, Splat(threshold));
      const V t = antiAliasedTanh(o, LogCosh(o), over);
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

  void Save(const LaneGroup& group) const { antiAliasedTanh.Save(group); }

private:
  const double outGain;
  AntiAliasedTanh antiAliasedTanh;
};

// Leans the ceiling's output toward the smoothed sub-sample output history, where it has one,
// and records the result there.
class HistoryFollower {
public:
  explicit HistoryFollower(const LaneGroup& group)
      : historyNear(group, kHistoryNear), historyFar(group, kHistoryFar),
        historyStep(group, kHistoryStep), historyTrend(group, kHistoryTrend) {}

  V operator()(const LaneGroup& group, V ceiled) {
    const PairState::HistoryLanes& history = group.state.outputHistory;
    const V newest = group.At(history, 0);
    const V previous = group.At(history, 1);
    const V atNear = group.Near(history);
    const V atFar = group.Far(history);
    const M hasNear = hn::Ne(atNear, hn::Zero(D()));
    const M hasFar = hn::Ne(atFar, hn::Zero(D()));
    // Once the near history has values in both lanes, the sub-sample just written (newest) no
    // longer matters; branching then keeps it out of the chain from one sub-sample to the next.
    const V nearRef = hn::AllTrue(D(), hasNear)
                          ? historyNear(atNear)
                          : hn::IfThenElse(hasNear, historyNear.MoveWhere(hasNear, atNear), newest);
    const V farRef = hn::IfThenElse(hasFar, historyFar.MoveWhere(hasFar, atFar), previous);
    const V e = historyStep(hn::Sub(ceiled, nearRef));
    const V f = historyTrend(hn::Sub(nearRef, farRef));
    const V r2 = hn::Div(ceiled, hn::Add(e, Splat(kGuard)));
    const V follow =
        Clamp01(hn::IfThenElse(LacksExponent(r2), Splat(1.0), hn::Sub(Splat(1.0), r2)));
    V zz;
    if (group.reactOn) {
      zz = hn::IfThenElse(hn::Gt(e, f), Blend(follow, nearRef, ceiled), ceiled);
      zz = hn::IfThenElse(hn::Gt(hn::Neg(e), f), Blend(follow, nearRef, zz), zz);
    } else {
      zz = Blend(follow, nearRef, ceiled);
    }
    const V z3 = hn::Add(hn::Mul(Splat(kHistoryShare), zz), hn::Mul(Splat(kCeilingShare), ceiled));
    const V followed = group.innerBias(z3, ceiled, e);
    group.SetNewest(group.state.outputHistory, followed);
    return followed;
  }

  void Save(const LaneGroup& group) const {
    historyNear.Save(group);
    historyFar.Save(group);
    historyStep.Save(group);
    historyTrend.Save(group);
  }

private:
  OnePole historyNear, historyFar, historyStep, historyTrend;
};

} // namespace
} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#endif
