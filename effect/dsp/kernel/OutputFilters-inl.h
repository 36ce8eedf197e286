// The steps at the input rate after the decimation: the slew correction, the DC remover, the
// "Tone" low-pass, the final soft clip, and the dry/wet fade with "Delta".
#if defined(KELVORA_KERNEL_OUTPUT_FILTERS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef KELVORA_KERNEL_OUTPUT_FILTERS_INL_H_
#undef KELVORA_KERNEL_OUTPUT_FILTERS_INL_H_
#else
#define KELVORA_KERNEL_OUTPUT_FILTERS_INL_H_
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

// Takes back part of the step from the previous corrected output, then applies the output
// "Bias".
class Slew {
public:
  Slew(const KernelBlock& block, const LaneGroup& group)
      : perJitter(1.0 / block.jitterD), outputBias(block.biasOffset, kOutputBiasStrength),
        smoothedStep(group, kSlew), previousOutput(group.Load(group.state.postPrev)) {}

  V operator()(V out) {
    const V p = smoothedStep(hn::Sub(out, previousOutput));
    const V corrected = hn::Sub(out, hn::Mul(p, Splat(perJitter)));
    previousOutput = Flush(corrected);
    return outputBias(corrected, out, p);
  }

  void Save(const LaneGroup& group) const {
    smoothedStep.Save(group);
    group.Store(previousOutput, group.state.postPrev);
  }

private:
  const double perJitter;
  const Bias outputBias;
  OnePole smoothedStep;
  V previousOutput; // the previous corrected output
};

// A one-pole high-pass: the input less its own smoothed value.
class DcRemover {
public:
  explicit DcRemover(const LaneGroup& group)
      : gain(group.Load(group.state.dcGain)), keep(group.Load(group.state.dcKeep)),
        dc(group.Load(group.state.dcState)) {}

  V operator()(V in) {
    dc = hn::Add(hn::Mul(gain, in), Flush(hn::Mul(dc, keep)));
    return hn::Sub(in, dc);
  }

  void Save(const LaneGroup& group) const { group.Store(dc, group.state.dcState); }

private:
  const V gain, keep; // set by the reset pass
  V dc;
};

// The "Tone" biquad, in transposed direct form II.
class LowPass {
public:
  LowPass(const KernelBlock& block, const LaneGroup& group)
      : b0(block.toneB0), b1(block.toneB1), b2(block.toneB2), a1(block.toneA1), a2(block.toneA2),
        state1(group.Load(group.state.filterState1)), state2(group.Load(group.state.filterState2)) {
  }

  V operator()(V in) {
    const V out = hn::Add(Flush(hn::Mul(Splat(b0), in)), state1);
    state1 = hn::Add(hn::Sub(Flush(hn::Mul(Splat(b1), in)), hn::Mul(Splat(a1), out)), state2);
    state2 = hn::Sub(Flush(hn::Mul(Splat(b2), in)), hn::Mul(Splat(a2), out));
    return out;
  }

  void Save(const LaneGroup& group) const {
    group.Store(state1, group.state.filterState1);
    group.Store(state2, group.state.filterState2);
  }

private:
  const double b0, b1, b2, a1, a2;
  V state1, state2;
};

// Fades into the cubic from 0.9 up to full scale.
inline V SoftClip(V in) {
  V a = hn::Abs(in);
  const M over = hn::Gt(a, Splat(kSoftClipStart));
  if (!hn::AllFalse(D(), over)) {
    const V w = Clamp01(hn::Mul(hn::Sub(a, Splat(kSoftClipStart)), Splat(1.0 / kSoftClipWidth)));
    a = hn::IfThenElse(over, Blend(w, Poly(a), a), a);
  }
  return hn::IfThenElse(hn::Lt(in, hn::Zero(D())), hn::Neg(a), a);
}

// Fades the processed signal toward the dry one below "Wet" 82 %; "Delta" leaves the
// difference the chain makes.
class DryWetDelta {
public:
  explicit DryWetDelta(const KernelBlock& block) : dryFade(block.dryFade), deltaOn(block.deltaOn) {}

  V operator()(V processed, V dry) const {
    if (dryFade < 1.0) processed = Blend(Splat(dryFade), processed, dry);
    if (deltaOn) processed = hn::Sub(processed, dry);
    return processed;
  }

private:
  const double dryFade; // weight of the processed signal against the dry one, 1 when no fade
  const bool deltaOn;
};

} // namespace
} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#endif
