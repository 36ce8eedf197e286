// The lane group every stage works on, and the kinds of memory more than one stage holds: the
// one-pole smoother and the anti-aliased tanh.
#if defined(KELVORA_KERNEL_LANE_GROUP_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef KELVORA_KERNEL_LANE_GROUP_INL_H_
#undef KELVORA_KERNEL_LANE_GROUP_INL_H_
#else
#define KELVORA_KERNEL_LANE_GROUP_INL_H_
#endif

#include "KelvoraKernel.h"
#include "KelvoraSlots.h"

#include "Vectors-inl.h"

HWY_BEFORE_NAMESPACE();
namespace kelvora {
namespace HWY_NAMESPACE {
namespace {

// One group of the pair's lanes, from firstLane on as many as the vectors hold, and what every
// stage of its chain shares for the block: the pair's state seen through those lanes, how far
// back the reference levels sit in the histories, and the block values more than one stage
// reads. A stage loads what it carries from the state when the block starts and saves it back
// when the block ends; only the histories are read and written in place, sample by sample. The
// chain holds one group and hands it to each step, so that each shared value has one copy.
class LaneGroup {
public:
  LaneGroup(const KernelBlock& block, PairState& state, int firstLane)
      : state(state), factor(block.factor), reactOn(block.reactOn),
        innerBias(block.biasOffset, 1.0), firstLane(firstLane), near(block.near), far(block.far) {}

  V Load(const PairState::Lanes& lanes) const { return hn::LoadU(D(), lanes + firstLane); }
  void Store(V v, PairState::Lanes& lanes) const { hn::StoreU(v, D(), lanes + firstLane); }

  // Element j of a history ring; 0 is the newest.
  V At(const PairState::HistoryLanes& ring, int j) const { return Load(ring[Index(j)]); }
  void SetNewest(PairState::HistoryLanes& ring, V v) const { Store(v, ring[Index(0)]); }
  // The reference levels the stages look back to: a little while back, and further back.
  V Near(const PairState::HistoryLanes& ring) const { return At(ring, near); }
  V Far(const PairState::HistoryLanes& ring) const { return At(ring, far); }

  // Element j := element j − 1 for the first kShiftedHistory elements; element 0 keeps its value.
  void ShiftHistories() const {
    state.historyStart = (state.historyStart - 1) & (kHistoryLength - 1);
    for (PairState::HistoryLanes* ring :
         {&state.outputHistory, &state.blockOutHistory, &state.driveHistory})
      Store(At(*ring, 1), (*ring)[Index(0)]);
  }

  PairState& state;
  const int factor; // sub-samples per input sample
  const bool reactOn;
  const Bias innerBias; // "Bias" at full strength, inside the oversampled steps

private:
  int Index(int j) const { return (state.historyStart + j) & (kHistoryLength - 1); }

  const int firstLane;
  const int near, far;
};

// A one-pole smoother: the value it holds, and the gain and keep factor the reset pass gave it.
struct OnePole {
  OnePole(const LaneGroup& group, Smoother slot)
      : slot(slot), value(group.Load(group.state.smoothState[slot])),
        gain(group.Load(group.state.smoothGain[slot])),
        keep(group.Load(group.state.smoothKeep[slot])) {}

  V operator()(V v) {
    value = hn::Add(hn::Mul(gain, v), Flush(hn::Mul(value, keep)));
    return value;
  }

  // Moves only in the lanes of `where`; returns the moved value in every lane.
  V MoveWhere(M where, V v) {
    const V next = hn::Add(hn::Mul(gain, v), Flush(hn::Mul(value, keep)));
    value = hn::IfThenElse(where, next, value);
    return next;
  }

  void Save(const LaneGroup& group) const { group.Store(value, group.state.smoothState[slot]); }

  const Smoother slot;
  V value;
  const V gain, keep;
};

// The anti-aliased tanh of one waveshaper mode: the slope of ln(cosh) since the previous
// argument, or tanh of the midpoint for steps too small for the quotient.
class AntiAliasedTanh {
public:
  AntiAliasedTanh(const KernelBlock& block, const LaneGroup& group, AntiAliasingSlot slot)
      : previousInput(group.Load(group.state.adaaPrevInput[slot])), slot(slot),
        tolerance(block.adaaTolerance),
        previousIntegral(group.Load(group.state.adaaPrevIntegral[slot])) {}

  // f is ln(cosh(v)); only the lanes of `update` remember v.
  V operator()(V v, V f, M update) {
    const V p = previousInput;
    const V step = hn::Sub(v, p);
    V t = hn::Div(hn::Sub(f, previousIntegral), hn::Add(step, Splat(kGuard)));
    const M tiny = hn::Gt(Splat(tolerance), hn::Abs(step));
    if (!hn::AllFalse(D(), tiny))
      t = hn::IfThenElse(tiny, Tanh(hn::Mul(hn::Add(p, v), Splat(0.5))), t);
    const V guard = Splat(kGuard);
    previousIntegral = hn::IfThenElse(update, hn::Add(f, guard), previousIntegral);
    previousInput = hn::IfThenElse(update, hn::Add(v, guard), p);
    return t;
  }

  void Save(const LaneGroup& group) const {
    group.Store(previousInput, group.state.adaaPrevInput[slot]);
    group.Store(previousIntegral, group.state.adaaPrevIntegral[slot]);
  }

private:
  V previousInput;
  // Between the two values it carries, so that the scalar build does not pack their updates into
  // one vector only to unpack it again.
  const AntiAliasingSlot slot;
  const double tolerance;
  V previousIntegral; // ln(cosh) of the previous input, the integral of tanh
};

} // namespace
} // namespace HWY_NAMESPACE
} // namespace kelvora
HWY_AFTER_NAMESPACE();

#endif
