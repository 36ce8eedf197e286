// The vectors hold one channel pair, two doubles: AVX-512 has nothing to add over AVX2 with FMA,
// and SSE4 nothing over SSSE3, so those variants are not built.
#ifndef HWY_DISABLED_TARGETS
#define HWY_DISABLED_TARGETS (HWY_SSE4 | HWY_AVX3 | HWY_AVX3_DL)
#endif

#include "KelvoraKernel.h"

#include <cmath>

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "KelvoraKernel.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

// The chain's stages, each with the state it carries and its step; PairChain below lists them in
// the order the signal passes them.
#include "kernel/Ceiling-inl.h"
#include "kernel/Decimation-inl.h"
#include "kernel/Drive-inl.h"
#include "kernel/FollowAndTame-inl.h"
#include "kernel/LaneGroup-inl.h"
#include "kernel/OutputFilters-inl.h"
#include "kernel/Vectors-inl.h"

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace kelvora {
namespace HWY_NAMESPACE {
namespace {

// The chain for one lane group of a channel pair: its stages, each loaded with its share of the
// pair's state when the block starts and saving it back when the block ends.
class PairChain {
public:
  // Runs the lanes from firstLane on, as many as the vectors hold.
  PairChain(const KernelBlock& block, PairState& state, int firstLane)
      : group(block, state, firstLane), upsampler(block, group), drive(block, group),
        followAndTame(block, group), ceiling(block, group), historyFollower(group),
        decimation(block, group), slew(block, group), dcRemover(group), lowPass(block, group),
        dryWetDelta(block) {}

  // Hands everything held here back to the state at the end of the block.
  void Finish() {
    upsampler.Save(group);
    drive.Save();
    followAndTame.Save(group);
    ceiling.Save(group);
    historyFollower.Save(group);
    decimation.Save(group);
    slew.Save(group);
    dcRemover.Save(group);
    lowPass.Save(group);
  }

  V ProcessSample(V dry) {
    const V x = Nudge(hn::Max(Splat(-kLoudestInput), hn::Min(Splat(kLoudestInput), dry)));
    group.ShiftHistories();
    V ramp[kLargestFactor], logCoshDriven[kLargestFactor];
    upsampler(group, x, ramp);
    drive.LogCoshAhead(group.factor, ramp, logCoshDriven);

    // The drive reads nothing the later steps write, so it runs one sub-sample ahead of them,
    // placed where measurement showed the follower's work for one sub-sample best fills the long
    // waits in the drive's chain into the next.
    V sum = Decimation::Empty();
    V reactLevel = FollowAndTame::StartLevel();
    V next = drive(ramp[0], logCoshDriven[0]);
    for (int k = 0; k < group.factor; ++k) {
      const V driven = next;
      const V followed = followAndTame(group, driven, decimation.LastOutput(), reactLevel);
      if (k + 1 < group.factor) next = drive(ramp[k + 1], logCoshDriven[k + 1]);
      const V ceiled = ceiling(followAndTame.TameMix(followed, driven));
      sum = decimation.Add(sum, historyFollower(group, ceiled));
    }
    return dryWetDelta(SoftClip(lowPass(dcRemover(slew(decimation.Output(group, sum))))), dry);
  }

private:
  const LaneGroup group;
  // The stages hold copies of the block's values they read, so that the compiler need not
  // reload them after every store to the state, and the values they carry from sample to sample,
  // in registers where the compiler can, rather than making a round trip through memory at every
  // step.
  Upsampler upsampler;
  Drive drive;
  FollowAndTame followAndTame;
  Ceiling ceiling;
  HistoryFollower historyFollower;
  Decimation decimation;
  Slew slew;
  DcRemover dcRemover;
  LowPass lowPass;
  DryWetDelta dryWetDelta;
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
#include "KernelDispatch.h"

#include <iterator>

// KernelDispatch.cpp checks the CPU for these instruction sets only.
static_assert((HWY_TARGETS & ~(HWY_AVX2 | HWY_SSSE3 | HWY_EMU128 | HWY_SCALAR)) == 0,
              "a kernel variant that the dispatch does not check the CPU for");

namespace kelvora {

KernelVariants CompiledKernelVariants() {
  static constexpr KernelVariant kVariants[] = {
#if HWY_TARGETS & HWY_AVX2
    {HWY_AVX2, "AVX2", &N_AVX2::ProcessChannelPairOn},
#endif
#if HWY_TARGETS & HWY_SSSE3
    {HWY_SSSE3, "SSSE3", &N_SSSE3::ProcessChannelPairOn},
#endif
#if HWY_TARGETS & HWY_EMU128
    {HWY_EMU128, "EMU128", &N_EMU128::ProcessChannelPairOn},
#else
    {HWY_SCALAR, "SCALAR", &N_SCALAR::ProcessChannelPairOn},
#endif
  };
  return {kVariants, static_cast<int>(std::size(kVariants))};
}

} // namespace kelvora
#endif
