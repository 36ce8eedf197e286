#include "IGraphics.h"

#include "IBubbleControl.h"
#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "IGEditorDelegate.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"

namespace {

void BeginParamEdits(IGEditorDelegate& dlg, const IControl& c) {
  for (int v = 0; v < c.ValueCount(); ++v)
    if (c.BoundParam(v) != kNoParameter) dlg.BeginParamEditFromEditor(c.BoundParam(v));
}

void EndParamEdits(IGEditorDelegate& dlg, const IControl& c) {
  for (int v = 0; v < c.ValueCount(); ++v)
    if (c.BoundParam(v) != kNoParameter) dlg.EndParamEditFromEditor(c.BoundParam(v));
}

} // namespace

int IGraphics::ControlIndexUnderPointer(float x, float y, bool mouseOver) const {
  if (mouseOver && !mEnableMouseOver) return -1;
  const int last = mouseOver ? 1 : 0;
  for (int i = ControlCount() - 1; i >= last; --i) {
    const IControl* c = mControls[static_cast<size_t>(i)].get();
    if (c->IsHidden() || c->GetMouseTransparent()) continue;
    if (c->IsDisabled() &&
        !(mouseOver ? c->GetMouseOverWhenDisabled() : c->GetMouseEventsWhenDisabled()))
      continue;
    if (c->HitTest(x, y)) return i;
  }
  return -1;
}

IControl* IGraphics::ControlUnderPointer(float x, float y, bool capture, bool mouseOver,
                                         uintptr_t touchId) {
  auto captured = mCapturedMap.find(touchId);
  if (captured != mCapturedMap.end()) return captured->second;

  IControl* control = nullptr;
  int index = -1;
  if (mPopupMenuControl && mPopupMenuControl->GetExpanded())
    control = mPopupMenuControl.get();
  else if (mTextEntryControl && mTextEntryControl->EditInProgress())
    control = mTextEntryControl.get();
  else if (mCornerResizer && mCornerResizer->GetRECT().Contains(x, y))
    control = mCornerResizer.get();
  else if (mPerfDisplay && mPerfDisplay->GetRECT().Contains(x, y))
    control = mPerfDisplay.get();
  else {
    index = ControlIndexUnderPointer(x, y, mouseOver);
    if (index < 0) {
      if (mouseOver) mMouseOverIdx = -1;
      return nullptr;
    }
    control = ControlAt(index);
  }

  if (capture) {
    if (mEnableMultiTouch && IsControlCaptured(control) && !control->GetWantsMultiTouch())
      return nullptr;
    mCapturedMap.emplace(touchId, control);
  }
  if (mouseOver) mMouseOverIdx = index;
  return control;
}

bool IGraphics::IsControlCaptured(const IControl* control) const {
  for (const auto& entry : mCapturedMap)
    if (entry.second == control) return true;
  return false;
}

// A control loses the mouse before its mouse-up when the editor resizes, closes or deletes
// it: the host's edit gesture its mouse-down opened is ended here instead, once. The map is
// emptied before the delegate hears of it, so a release from within that call ends nothing
// twice.
void IGraphics::ReleaseCapture() {
  std::unordered_map<uintptr_t, IControl*> released;
  released.swap(mCapturedMap);
  for (const auto& entry : released)
    EndParamEdits(*mDelegate, *entry.second);
  if (mCursorHidden) SetCursorHidden(false, true);
}

void IGraphics::OnMouseDown(const IMouseInfoList& points) {
  if (points.size() == 1) {
    mMouseDownX = points[0].x;
    mMouseDownY = points[0].y;
  }
  for (const IMouseInfo& p : points) {
    const bool heldBefore = mCapturedMap.count(p.ms.touchID) != 0;
    IControl* c = ControlUnderPointer(p.x, p.y, true, false, p.ms.touchID);
    if (!c) continue;
    const int valIdx = c->ValueIndexAt(p.x, p.y);
    const int paramIdx = c->BoundParam(valIdx >= 0 ? valIdx : 0);
    if (p.ms.R && paramIdx != kNoParameter) {
      // A capture taken just now opened no edit gesture; one held from an earlier press
      // (a right click during a drag) did, and is ended with the others.
      if (!heldBefore) mCapturedMap.erase(p.ms.touchID);
      ReleaseCapture();
      ShowHostParamMenu(*c, paramIdx, p.x, p.y);
      return;
    }
    BeginParamEdits(*mDelegate, *c);
    c->OnMouseDown(p.x, p.y, p.ms);
  }
}

void IGraphics::OnMouseUp(const IMouseInfoList& points) {
  if (ControlIsCaptured()) {
    for (const IMouseInfo& p : points) {
      auto it = mCapturedMap.find(p.ms.touchID);
      if (it == mCapturedMap.end()) continue;
      IControl* c = it->second;
      c->OnMouseUp(p.x, p.y, p.ms);
      // The mouse-up may itself have released the capture and ended the gesture.
      if (mCapturedMap.erase(p.ms.touchID) == 0) continue;
      EndParamEdits(*mDelegate, *c);
    }
  }
  if (mResizingInProcess) FinishDragResize();
  if (points.size() == 1 && points[0].ms.touchID == 0)
    OnMouseOver(points[0].x, points[0].y, points[0].ms);
}

void IGraphics::OnMouseDrag(const IMouseInfoList& points) {
  if (mResizingInProcess && points.size() == 1) {
    DragResize(points[0].x, points[0].y);
    return;
  }
  if (!ControlIsCaptured()) return;
  const bool typing = mInTextEntry != nullptr;
  // The platform's own text field keeps the focus only while no drag reaches a control.
  if (typing && !mTextEntryControl) return;
  for (const IMouseInfo& p : points) {
    auto it = mCapturedMap.find(p.ms.touchID);
    if (it == mCapturedMap.end()) continue;
    IControl* c = it->second;
    if (typing && c != mTextEntryControl.get()) continue;
    if (p.dX != 0.f || p.dY != 0.f) c->OnMouseDrag(p.x, p.y, p.dX, p.dY, p.ms);
  }
}

void IGraphics::OnTouchCancelled(const IMouseInfoList& points) {
  for (const IMouseInfo& p : points) {
    auto it = mCapturedMap.find(p.ms.touchID);
    if (it == mCapturedMap.end()) continue;
    IControl* c = it->second;
    c->OnTouchCancelled(p.x, p.y, p.ms);
    if (mCapturedMap.erase(p.ms.touchID) == 0) continue;
    EndParamEdits(*mDelegate, *c);
  }
}

bool IGraphics::OnMouseDblClick(float x, float y, const IMouseMod& mod) {
  const bool heldBefore = mCapturedMap.count(mod.touchID) != 0;
  IControl* c = ControlUnderPointer(x, y, true, false, mod.touchID);
  if (!c) return false;
  if (c->GetDoubleClickAsSingle()) {
    IMouseInfo info;
    info.x = x;
    info.y = y;
    info.ms = mod;
    OnMouseDown({info});
  } else {
    c->OnMouseDblClick(x, y, mod);
    // The double click opened no edit gesture of its own.
    if (!heldBefore) mCapturedMap.erase(mod.touchID);
    ReleaseCapture();
  }
  return true;
}

bool IGraphics::OnMouseOver(float x, float y, const IMouseMod& mod) {
  IControl* c = ControlUnderPointer(x, y, false, true);
  if (c != mMouseOver) {
    if (mMouseOver) mMouseOver->OnMouseOut();
    mMouseOver = c;
  }
  if (c) c->OnMouseOver(x, y, mod);
  return c != nullptr;
}

void IGraphics::OnMouseOut() {
  mCursorType = ChangeCursorShape(kArrowCursor);
  ForAllControls(&IControl::OnMouseOut);
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
}

void IGraphics::ForgetHover() {
  if (mMouseOver) mMouseOver->OnMouseOut();
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
  for (const auto& bubble : mBubbleControls)
    bubble->Dismiss();
}

void IGraphics::OnMouseWheel(float x, float y, const IMouseMod& mod, float delta) {
  if (IControl* c = ControlUnderPointer(x, y, false, false)) c->OnMouseWheel(x, y, mod, delta);
}

bool IGraphics::OnKeyDown(float x, float y, const IKeyPress& key) {
  IControl* c = ControlUnderPointer(x, y, false, false);
  if (c && c != ControlAt(0) && c->OnKeyDown(x, y, key)) return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, false) : false;
}

bool IGraphics::OnKeyUp(float x, float y, const IKeyPress& key) {
  IControl* c = ControlUnderPointer(x, y, false, false);
  if (c && c != ControlAt(0) && c->OnKeyUp(x, y, key)) return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, true) : false;
}

void IGraphics::OnDrop(const char* data, float x, float y) {
  if (IControl* c = ControlUnderPointer(x, y, false, false)) c->OnDrop(data);
}

void IGraphics::OnGestureEvent(const IGestureInfo& info) {
  for (int i = 0; i < mGestureRegions.Size(); ++i) {
    if (!mGestureRegions.Get(i).Contains(info.x, info.y)) continue;
    auto it = mGestureRegionFuncs.find(i);
    if (it != mGestureRegionFuncs.end() && it->second) {
      it->second(info);
      return;
    }
  }
  if (IControl* c = ControlUnderPointer(info.x, info.y, false, false)) c->OnGesture(info);
}

bool IGraphics::WantsGesture(float x, float y) const {
  for (int i = 0; i < mGestureRegions.Size(); ++i)
    if (mGestureRegions.Get(i).Contains(x, y)) return true;
  return false;
}
