// The level follower after the drive, the "Bias" toward the drive, and the "Tame" crossfade.
#if defined(KELVORA_KERNEL_FOLLOW_AND_TAME_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef KELVORA_KERNEL_FOLLOW_AND_TAME_INL_H_
#undef KELVORA_KERNEL_FOLLOW_AND_TAME_INL_H_
#else
#define KELVORA_KERNEL_FOLLOW_AND_TAME_INL_H_
#endif

#include "KelvoraConstants.h"
#include "KelvoraKernel.h"
#include "KelvoraSlots.h"
#include "SignalGuards.h"

#include "LaneGroup-inl.h"
#include "Vectors-inl.h"

HWY_BEFORE_NAMESPACE();
namespace kelvora {
namespace HWY_NAMESPACE {
namespace {

// Holds the driven signal near the smoothed last output, yielding by "Tame" and, with "React",
// by the signal's own level; then leans it toward the drive by "Bias".
class FollowAndTame {
public:
  FollowAndTame(const KernelBlock& block, const LaneGroup& group)
      : holdMix(block.holdMix), tameCurve(block.tameCurve), levelDivisor(block.levelDivisor),
        returnMix(kelvora::Clamp01(block.returnMix)), tameC(block.tameC), tameKeep(block.tameKeep),
        perJitter(1.0 / block.jitterD), perFixedYieldSpan(1.0 / YieldSpan(block)),
        smoothedLastOutput(group, kLastOutput), blockNear(group, kBlockNear),
        blockFar(group, kBlockFar), smoothedTrack(group, kTrack), smoothedLevel(group, kLevel),
        trackValue(group.Load(group.state.trackValue)) {}

  // How far the signal may stray before the follower yields, when an input sample starts;
  // "React" moves it from sub-sample to sub-sample.
  static V StartLevel() { return Splat(kGuard); }

  // w is the drive's output, lastOutput the chain's last decimated output.
  V operator()(const LaneGroup& group, V w, V lastOutput, V& reactLevel) {
    smoothedLastOutput(lastOutput);
    const V last = Flush(smoothedLastOutput.value);
    const V nearRef = blockNear(group.Near(group.state.blockOutHistory));
    const V farRef = blockFar(group.Far(group.state.blockOutHistory));
    const V track = smoothedTrack(trackValue);

    const V tracked = hn::Sub(w, hn::Mul(hn::Sub(w, track), Splat(perJitter)));
    trackValue = Flush(tracked);

    // The spread does not depend on w: its reciprocal is ready before w is, which takes a
    // division off the path every sub-sample waits on.
    const V perSpread =
        hn::Div(Splat(1.0), hn::Add(hn::Abs(hn::Sub(nearRef, farRef)), Splat(kGuard)));
    const V dev = hn::Abs(hn::Sub(w, last));
    const V ratio = Clamp01(Flush(hn::Mul(dev, perSpread)));
    V z = Blend(ratio, tracked, w);
    if (group.reactOn) z = hn::IfThenElse(hn::Gt(dev, reactLevel), Blend(ratio, z, w), z);
    z = Blend(Splat(holdMix), z, w);

    const V deviation = Flush(hn::Sub(w, last));
    const V level = smoothedLevel(hn::Mul(hn::Add(deviation, Splat(1.0)), Splat(0.5)));
    if (group.reactOn) reactLevel = ReactLevel(Clamp01(level));
    const V g = Clamp01(hn::Mul(hn::Sub(level, reactLevel), PerYieldSpan(group, reactLevel)));
    const M above = hn::Gt(deviation, reactLevel);
    z = hn::IfThenElse(above, Yield(group, g, hn::Add(reactLevel, last), z, w), z);
    const M below = hn::Gt(hn::Neg(deviation), reactLevel);
    z = hn::IfThenElse(below, Yield(group, g, hn::Sub(last, reactLevel), z, w), z);

    const V e1 = hn::Abs(hn::Sub(z, w));
    const V e2 = hn::Abs(hn::Sub(z, nearRef));
    const V h = Clamp01(hn::Sub(Splat(1.0), hn::Abs(hn::Sub(e1, e2))));
    return BiasTowardDrive(group, hn::IfThenElse(hn::Gt(e1, e2), Blend(h, z, w), z), w);
  }

  // The "Tame" crossfade between the followed and the driven signal.
  V TameMix(V z, V w) const {
    return hn::Add(hn::Mul(Splat(tameC), z), hn::Mul(Splat(tameKeep), w));
  }

  void Save(const LaneGroup& group) const {
    smoothedLastOutput.Save(group);
    blockNear.Save(group);
    blockFar.Save(group);
    smoothedTrack.Save(group);
    smoothedLevel.Save(group);
    group.Store(trackValue, group.state.trackValue);
  }

private:
  // How far the level may stray before the follower yields fully, as a reciprocal; without
  // "React" the level stays at the guard and the span is the block's own.
  V PerYieldSpan(const LaneGroup& group, V level) const {
    if (!group.reactOn) return Splat(perFixedYieldSpan);
    const V q = hn::Mul(Flush(hn::Add(Splat(tameCurve), level)), Splat(1.0 / levelDivisor));
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
  V Yield(const LaneGroup& group, V g, V bound, V z, V w) const {
    V yielded = Blend(g, bound, z);
    if (group.reactOn) yielded = Blend(Splat(returnMix), w, Blend(g, yielded, w));
    return yielded;
  }

  V BiasTowardDrive(const LaneGroup& group, V z, V w) const {
    const V slope = hn::Sub(z, blockNear.value);
    z = group.innerBias(z, w, slope);
    return hn::Sub(z, hn::Mul(slope, Splat(perJitter)));
  }

  const double holdMix, tameCurve, levelDivisor, returnMix, tameC, tameKeep;
  const double perJitter;
  const double perFixedYieldSpan;
  OnePole smoothedLastOutput, blockNear, blockFar, smoothedTrack, smoothedLevel;
  V trackValue; // what the follower leans on, carried from sub-sample to sub-sample
};

} // namespace
} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#endif
