#include "IButtonControlBase.h"

IButtonControlBase::IButtonControlBase(const IRECT& bounds, IActionFunction action)
    : IControl(bounds, kNoParameter, std::move(action)) {
  mDblAsSingleClick = true;
}

void IButtonControlBase::OnMouseDown(float, float, const IMouseMod&) {
  SetValue(1., 0);
  MarkDirty(true);
}

void IButtonControlBase::OnAnimationEnd() {
  SetValue(0., 0);
  mAnimationFunc = nullptr;
  MarkDirty(false);
  if (mAnimationEndActionFunc) mAnimationEndActionFunc(this);
}
