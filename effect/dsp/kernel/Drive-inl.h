// The chain's first steps: the upsampling ramp, and the anti-aliased drive of each sub-sample.
#if defined(KELVORA_KERNEL_DRIVE_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef KELVORA_KERNEL_DRIVE_INL_H_
#undef KELVORA_KERNEL_DRIVE_INL_H_
#else
#define KELVORA_KERNEL_DRIVE_INL_H_
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

// A ramp from the previous input to this one, one sub-sample at a time, by a smoothed increment.
class Upsampler {
public:
  Upsampler(const KernelBlock& block, const LaneGroup& group)
      : perFactor(1.0 / block.factor), rampStep(group, kRampStep),
        previousInput(group.Load(group.state.prevInput)) {}

  // Sub-samples 1 to factor of x, into ramp.
  void operator()(const LaneGroup& group, V x, V (&ramp)[kLargestFactor]) {
    for (int k = 0; k < group.factor; ++k)
      ramp[k] = SubSample(x, k + 1);
    previousInput = x;
  }

  void Save(const LaneGroup& group) const {
    rampStep.Save(group);
    group.Store(previousInput, group.state.prevInput);
  }

private:
  // Moves the increment's smoother (the one left unflushed) by one sub-sample.
  V SubSample(V x, int k) {
    const V previous = previousInput;
    const V step = hn::Add(hn::Mul(rampStep.value, rampStep.keep),
                           hn::Mul(hn::Sub(x, previous), rampStep.gain));
    rampStep.value = step;
    const V inc = hn::Add(hn::Mul(step, Splat(perFactor)), Splat(kGuard));
    return Flush(hn::Add(hn::Mul(Splat(k - 1.0), inc), previous));
  }

  const double perFactor; // one sub-sample's share of an input sample
  OnePole rampStep;
  V previousInput;
};

// The driven saturation of the upsampled signal, mixed with it by "Wet". Its pre-stage reshapes
// the driven magnitude against the drive's own output a little and further back. The compiler
// keeps its step out of line, called one sub-sample ahead of the others; it holds a copy of the
// lane group, so that a call hands it the sub-sample alone.
class Drive {
public:
  Drive(const KernelBlock& block, const LaneGroup& group)
      : group(group), drive(block.drive), inGainComp(block.inGainComp), wetInLoop(block.wetInLoop),
        perJitter(1.0 / block.jitterD), upperRef(group, kUpperRef), lowerRef(group, kLowerRef),
        antiAliasedTanh(block, group, kDriveSlot) {}

  // The ramp depends on the input alone, and so does the driven magnitude wherever the pre-stage
  // leaves it alone: their ln(cosh) terms are worked out ahead, free of the chain that runs
  // through the reference levels from one sub-sample to the next.
  void LogCoshAhead(int factor, const V (&ramp)[kLargestFactor],
                    V (&logCoshDriven)[kLargestFactor]) const {
    for (int k = 0; k + 1 < factor; k += 2)
      LogCoshOfBoth(hn::Mul(Splat(drive), ramp[k]), hn::Mul(Splat(drive), ramp[k + 1]),
                    logCoshDriven[k], logCoshDriven[k + 1]);
    if (factor == 1) logCoshDriven[0] = LogCosh(hn::Mul(Splat(drive), ramp[0]));
  }

  // u is a sub-sample of the ramp, logCoshX ln(cosh) of it driven, for when the pre-stage leaves
  // it as it is.
  V operator()(V u, V logCoshX) {
    const V upper = upperRef(group.Near(group.state.driveHistory));
    const V lower = lowerRef(group.Far(group.state.driveHistory));
    const V x = hn::Mul(Splat(drive), u);
    bool reshaped;
    const V g = PreStage(hn::Abs(x), upper, lower, reshaped);
    const V f = reshaped ? LogCosh(g) : logCoshX;
    const V t = antiAliasedTanh(g, f, hn::FirstN(D(), kLanes));
    const V y = Flush(hn::Add(hn::Mul(Splat(0.5), Poly(g)), hn::Mul(Splat(0.5), Clamp01(t))));
    group.SetNewest(group.state.driveHistory, y);
    const V y1 = hn::Mul(WithSignOf(x, y), Splat(inGainComp));
    return Blend(Splat(wetInLoop), y1, u);
  }

  void Save() const {
    upperRef.Save(group);
    lowerRef.Save(group);
    antiAliasedTanh.Save(group);
  }

private:
  // Above the knee the magnitude leans toward the tanh of itself less a scaled tanh of its
  // excess over the lower reference, and is first pulled toward the upper one. Below the knee
  // the blend weight is 0 and the magnitude passes, so the tanh terms are skipped there.
  // Tells by `reshaped` whether the result differs from a in any lane.
  V PreStage(V a, V upper, V lower, bool& reshaped) const {
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

  const LaneGroup group;
  const double drive, inGainComp, wetInLoop;
  // Dividing by the jitter is multiplying by this; the quotients differ in the last bit at most.
  const double perJitter;
  OnePole upperRef, lowerRef;
  AntiAliasedTanh antiAliasedTanh;
};

} // namespace
} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#endif
