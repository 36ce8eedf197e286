// The sub-samples of one input sample, averaged back to the input rate.
#if defined(KELVORA_KERNEL_DECIMATION_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef KELVORA_KERNEL_DECIMATION_INL_H_
#undef KELVORA_KERNEL_DECIMATION_INL_H_
#else
#define KELVORA_KERNEL_DECIMATION_INL_H_
#endif

#include "KelvoraKernel.h"
#include "SignalGuards.h"

#include "LaneGroup-inl.h"
#include "Vectors-inl.h"

HWY_BEFORE_NAMESPACE();
namespace kelvora {
namespace HWY_NAMESPACE {
namespace {

// Sums each sub-sample's share, then scales the sum by the oversampling's gain compensation and
// records it in the decimated output's history, where the level follower looks back.
class Decimation {
public:
  Decimation(const KernelBlock& block, const LaneGroup& group)
      : perFactor(1.0 / block.factor), gainCompensation(block.gainCompensation),
        outGain(block.outGain), outGainBelowUnity(block.outGainBelowUnity),
        lastOutput(group.Load(group.state.lastOutput)) {}

  // The sum before the first sub-sample: the guard, which the sum carries throughout.
  static V Empty() { return Splat(kGuard); }

  V Add(V sum, V subSample) const {
    return hn::Add(sum, Flush(hn::Mul(subSample, Splat(perFactor))));
  }

  V Output(const LaneGroup& group, V sum) {
    V out = hn::Mul(Splat(gainCompensation), sum);
    group.SetNewest(group.state.blockOutHistory, Flush(out));
    lastOutput = Flush(out);
    // Output gains below 100 % act twice: into the ceiling and here.
    if (outGainBelowUnity) out = hn::Mul(out, Splat(outGain));
    return out;
  }

  // The previous input sample's output, for the level follower of this one.
  V LastOutput() const { return lastOutput; }

  void Save(const LaneGroup& group) const { group.Store(lastOutput, group.state.lastOutput); }

private:
  const double perFactor; // one sub-sample's share of an input sample
  const double gainCompensation, outGain;
  const bool outGainBelowUnity;
  V lastOutput;
};

} // namespace
} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#endif
