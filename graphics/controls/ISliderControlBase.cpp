#include "ISliderControlBase.h"

#include "IGraphics.h"

ISliderControlBase::ISliderControlBase(const IRECT& bounds, int paramIdx, IActionFunction action,
                                       int direction, double gearing, float handleSize)
    : IControl(bounds, paramIdx, std::move(action)), mDirection(direction), mTrack(bounds),
      mHandleSize(handleSize), mGearing(gearing) {}

void ISliderControlBase::OnResize() {
  mTrack = mTargetRECT = mRECT;
  mMouseIsOver = false;
  MarkDirty(false);
}

// A relative drag continues from the value the slider shows when the button goes down.
void ISliderControlBase::OnMouseDown(float x, float y, const IMouseMod& mod) {
  mMouseDown = true;
  mMouseDragValue = GetValue(0);
  if (mHideCursorOnDrag && mGraphics) mGraphics->SetCursorHidden(true, true);
  if (mod.R) PromptForValue(ValueIndexAt(x, y));
}

void ISliderControlBase::OnMouseUp(float, float, const IMouseMod&) {
  if (mHideCursorOnDrag && mGraphics) mGraphics->SetCursorHidden(false, true);
  mMouseDown = false;
  MarkDirty(false);
}

void ISliderControlBase::OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) {
  const bool touchOrVisibleCursor = mod.touchID != 0 || !mHideCursorOnDrag;
  if (touchOrVisibleCursor && !SteppedParam()) {
    ValueFromPointer(x, y, mDirection, mTrack, kNoValIdx, 0., 1.);
    return;
  }
  if (mDirection == kHorizontal)
    DragValue0(mMouseDragValue, dX, mTrack.R - mTrack.L, mGearing, mod);
  else
    DragValue0(mMouseDragValue, dY, mTrack.T - mTrack.B, mGearing, mod);
}

void ISliderControlBase::OnMouseWheel(float, float, const IMouseMod& mod, float d) {
  WheelValue0(mod, d);
}
