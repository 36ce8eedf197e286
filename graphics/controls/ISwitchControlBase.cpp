#include "ISwitchControlBase.h"

#include "IParam.h"

#include <algorithm>
#include <cmath>

namespace {
// A parameter range is no reason to keep more per-state flags than this.
constexpr double kMaxStates = 4096.;
} // namespace

ISwitchControlBase::ISwitchControlBase(const IRECT& bounds, int paramIdx, IActionFunction action,
                                       int numStates)
    : IControl(bounds, paramIdx, std::move(action)), mNumStates(std::max(1, numStates)),
      mMouseOverForState(static_cast<size_t>(std::max(1, numStates)), false) {
  mDblAsSingleClick = true;
}

void ISwitchControlBase::OnInit() {
  const IParam* p = BoundParamObject(0);
  if (!p) return;
  const double span = std::clamp(p->Max() - p->Min(), 0., kMaxStates);
  mNumStates = static_cast<int>(span) + 1;
  mMouseOverForState.assign(static_cast<size_t>(mNumStates), false);
}

void ISwitchControlBase::OnMouseDown(float, float, const IMouseMod&) {
  double v;
  if (mNumStates == 2) {
    v = GetValue(0) == 0. ? 1. : 0.;
  } else {
    v = GetValue(0) + (mNumStates > 1 ? 1. / (mNumStates - 1) : 1.);
    if (v > 1.) v = 0.;
  }
  SetValue(v, 0);
  mMouseDown = true;
  MarkDirty(true);
}

void ISwitchControlBase::OnMouseUp(float, float, const IMouseMod&) {
  mMouseDown = false;
  MarkDirty(false);
}
