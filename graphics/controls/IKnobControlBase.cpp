#include "IKnobControlBase.h"

#include "IGraphics.h"

IKnobControlBase::IKnobControlBase(const IRECT& bounds, int paramIdx, IActionFunction action,
                                   int direction, double gearing)
    : IControl(bounds, paramIdx, std::move(action)), mDirection(direction), mGearing(gearing) {}

void IKnobControlBase::OnMouseDown(float x, float y, const IMouseMod& mod) {
  mMouseDown = true;
  mMouseDragValue = GetValue(0);
  if (mHideCursorOnDrag && mGraphics) mGraphics->SetCursorHidden(true, true);
  if (mod.R) PromptForValue(ValueIndexAt(x, y));
}

void IKnobControlBase::OnMouseUp(float, float, const IMouseMod&) {
  if (mHideCursorOnDrag && mGraphics) mGraphics->SetCursorHidden(false, true);
  mMouseDown = false;
  MarkDirty(false);
}

void IKnobControlBase::OnMouseDrag(float, float, float dX, float dY, const IMouseMod& mod) {
  const IRECT r = KnobDragArea();
  if (mDirection == kHorizontal)
    DragValue0(mMouseDragValue, dX, r.R - r.L, mGearing, mod);
  else
    DragValue0(mMouseDragValue, dY, r.T - r.B, mGearing, mod);
}

void IKnobControlBase::OnMouseWheel(float, float, const IMouseMod& mod, float d) {
  WheelValue0(mod, d);
}
