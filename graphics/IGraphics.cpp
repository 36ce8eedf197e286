#include "IGraphics.h"

#include "IBitmapControl.h"
#include "IBubbleControl.h"
#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "IGEditorDelegate.h"
#include "IParam.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"

#include <algorithm>
#include <memory>

IGraphics::IGraphics(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
    : mWidth(w), mHeight(h), mFPS(fps), mDrawScale(scale), mMinScale(0.5f * scale),
      mMaxScale(2.f * scale), mDelegate(&dlg) {
  mCtrlTags.max_load_factor(1.f);
  mCapturedMap.max_load_factor(1.f);
}

// Controls are deleted before the special controls so that none outlives the context
// it points to; the list is emptied first so that a control's destructor sees no peers.
IGraphics::~IGraphics() {
  mMouseOver = mInTextEntry = mInPopupMenu = nullptr;
  mCapturedMap.clear();
  mCtrlTags.clear();
  mControls.clear();
  mBubbleControls.clear();
  mPerfDisplay.reset();
  mCornerResizer.reset();
  mTextEntryControl.reset();
  mPopupMenuControl.reset();
}

void IGraphics::AttachSpecial(IControl& control) {
  control.SetOwner(mDelegate, this);
  control.OnInit();
  control.OnResize();
  control.OnRescale();
}

IControl* IGraphics::AddControl(IControl* control, int tag, const char* group) {
  if (!control) return nullptr;
  if (tag > kNoTag) {
    if (mCtrlTags.count(tag)) return nullptr;
    mCtrlTags[tag] = control;
  }
  AttachSpecial(*control);
  control->SetGroup(group);
  mControls.emplace_back(control);
  control->OnAttached();
  return control;
}

void IGraphics::AddBackground(const char* fileName) {
  const IBitmapHandle bitmap = LoadBitmapResource(fileName, 1, false, 0);
  auto control = std::make_unique<IBitmapControl>(0.f, 0.f, bitmap, kNoParameter, 0);
  AttachSpecial(*control);
  mControls.insert(mControls.begin(), std::move(control));
  // Everything under the pointer moved up by one.
  if (mMouseOverIdx >= 0) ++mMouseOverIdx;
}

void IGraphics::AddCornerResizer(EUIResizerMode mode, bool layoutOnResize, const IColor& color,
                                 const IColor& mouseOverColor, const IColor& dragColor,
                                 float size) {
  if (mCornerResizer) return;
  mCornerResizer = std::make_unique<ICornerResizerControl>(
      IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight)), size, color,
      mouseOverColor, dragColor);
  mResizerMode = mode;
  mLayoutOnResize = layoutOnResize;
  mCornerResizer->SetOwner(mDelegate, this);
  const float w = static_cast<float>(mWidth);
  const float h = static_cast<float>(mHeight);
  const float side = size / mDrawScale;
  mCornerResizer->SetArea(IRECT(w - side, h - side, w, h));
}

void IGraphics::AddTextEntryControl() {
  AddTextEntryControl(new ITextEntryControl());
}

void IGraphics::AddTextEntryControl(ITextEntryControl* control) {
  std::unique_ptr<ITextEntryControl> owned(control);
  if (mTextEntryControl || !owned) return;
  mTextEntryControl = std::move(owned);
  AttachSpecial(*mTextEntryControl);
}

void IGraphics::AttachPopupMenuControl(IPopupMenuControl* control) {
  std::unique_ptr<IPopupMenuControl> owned(control);
  if (mPopupMenuControl || !owned) return;
  mPopupMenuControl = std::move(owned);
  AttachSpecial(*mPopupMenuControl);
}

void IGraphics::AttachBubbleControl(IBubbleControl* control) {
  if (!control) return;
  mBubbleControls.emplace_back(control);
  AttachSpecial(*control);
}

IBubbleControl* IGraphics::GetBubbleControl(int index) const {
  if (index < 0 || index >= BubbleControlCount()) return nullptr;
  return mBubbleControls[static_cast<size_t>(index)].get();
}

void IGraphics::ShowFrameTimeDisplay(bool enable) {
  if (enable) {
    if (!mPerfDisplay) {
      mPerfDisplay =
          std::make_unique<IFPSDisplayControl>(IRECT(10.f, 10.f, 210.f, 60.f), "Frame Time");
      AttachSpecial(*mPerfDisplay);
    }
  } else {
    RemoveReferences(mPerfDisplay.get());
    mPerfDisplay.reset();
    mMouseOver = nullptr;
    mMouseOverIdx = -1;
  }
  MarkAllDirty();
}

IControl* IGraphics::ControlAt(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return mControls[static_cast<size_t>(index)].get();
}

IControl* IGraphics::FindControlByTag(int tag) const {
  auto it = mCtrlTags.find(tag);
  return it == mCtrlTags.end() ? nullptr : it->second;
}

int IGraphics::IndexOfControl(const IControl* control) const {
  for (int i = 0; i < ControlCount(); ++i)
    if (mControls[static_cast<size_t>(i)].get() == control) return i;
  return -1;
}

// Forgets every pointer the context keeps to a control that is about to go.
void IGraphics::RemoveReferences(IControl* control) {
  if (!control) return;
  if (IsControlCaptured(control)) ReleaseCapture();
  if (mMouseOver == control) {
    mMouseOver = nullptr;
    mMouseOverIdx = -1;
  }
  if (mInTextEntry == control) mInTextEntry = nullptr;
  if (mInPopupMenu == control) mInPopupMenu = nullptr;
  for (auto it = mCtrlTags.begin(); it != mCtrlTags.end();) {
    if (it->second == control)
      it = mCtrlTags.erase(it);
    else
      ++it;
  }
}

void IGraphics::DeleteControl(int index) {
  if (IControl* c = ControlAt(index)) {
    RemoveReferences(c);
    mControls.erase(mControls.begin() + index);
  }
  MarkAllDirty();
}

void IGraphics::DeleteControl(IControl* control) {
  DeleteControl(IndexOfControl(control));
}

void IGraphics::DeleteControlsFrom(int fromIndex) {
  for (int i = ControlCount() - 1; i >= std::max(0, fromIndex); --i)
    DeleteControl(i);
  MarkAllDirty();
}

// The tagged control is deleted like any other removal, so no dangling capture, hover or
// prompt target survives it.
void IGraphics::DeleteControlByTag(int tag) {
  DeleteControl(FindControlByTag(tag));
}

void IGraphics::PlaceControl(int index, const IRECT& r) {
  IControl* c = ControlAt(index);
  if (!c) return;
  c->SetArea(r);
  c->ClearMouseOver();
  c->OnResize();
  if (!c->IsHidden()) MarkAllDirty();
}

void IGraphics::MoveControl(int index, float x, float y) {
  IControl* c = ControlAt(index);
  if (!c) return;
  c->SetPosition(x, y);
  if (!c->IsHidden()) MarkAllDirty();
}

void IGraphics::SizeControl(int index, float w, float h) {
  IControl* c = ControlAt(index);
  if (!c) return;
  c->SetSize(w, h);
  if (!c->IsHidden()) MarkAllDirty();
}

void IGraphics::VisitAllControls(const IControlFunction& func) {
  for (size_t i = 0; i < mControls.size(); ++i)
    func(*mControls[i]);
  if (mPerfDisplay) func(*mPerfDisplay);
  if (mCornerResizer) func(*mCornerResizer);
  if (mTextEntryControl) func(*mTextEntryControl);
  if (mPopupMenuControl) func(*mPopupMenuControl);
  for (auto& bubble : mBubbleControls)
    func(*bubble);
}

void IGraphics::ForMatchingControls(int paramIdx, const IControlFunction& func) {
  for (size_t i = 0; i < mControls.size(); ++i)
    if (mControls[i]->IsBound(paramIdx) > kNoValIdx) func(*mControls[i]);
}

void IGraphics::HideControl(int paramIdx, bool hide) {
  ForMatchingControls(&IControl::Hide, paramIdx, hide);
}

void IGraphics::DisableControl(int paramIdx, bool disable) {
  ForMatchingControls(&IControl::SetDisabled, paramIdx, disable);
}

void IGraphics::MarkAllDirty() {
  ForAllControls(&IControl::MarkDirty, false, kNoValIdx);
}

void IGraphics::MarkAllClean() {
  ForAllControls(&IControl::MarkClean);
}

void IGraphics::UpdatePeers(IControl* caller, int valIdx) {
  if (!caller) return;
  const double value = caller->GetValue(valIdx);
  const int paramIdx = caller->BoundParam(valIdx);
  if (paramIdx == kNoParameter) return;
  for (size_t i = 0; i < mControls.size(); ++i) {
    IControl* c = mControls[i].get();
    if (c == caller) continue;
    for (int v = 0; v < c->ValueCount(); ++v)
      if (c->BoundParam(v) == paramIdx) c->SetValueFromPlugin(value, v);
  }
}

void IGraphics::AssignParamNameToolTips() {
  for (size_t i = 0; i < mControls.size(); ++i) {
    IControl* c = mControls[i].get();
    if (c->BoundParam(0) == kNoParameter) continue;
    if (const IParam* p = c->BoundParamObject(0)) c->SetTooltip(p->Name());
  }
}

void IGraphics::SetTooltipsEnabled(bool enable) {
  mEnableTooltips = enable;
  if (enable) mEnableMouseOver = true;
}

void IGraphics::SetStrictRedraw(bool strict) {
  mStrict = strict;
  MarkAllDirty();
}

void IGraphics::SetCursorHidden(bool hide, bool) {
  mCursorHidden = hide;
}

int IGraphics::ChangeCursorShape(int kind) {
  const int previous = mCursorType;
  mCursorType = kind;
  return previous;
}
