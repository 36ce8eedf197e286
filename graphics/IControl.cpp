#include "IControl.h"

#include "IGEditorDelegate.h"
#include "IGraphics.h"
#include "IParam.h"
#include "IPopupMenu.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

IControl::IControl(const IRECT& bounds, int paramIdx, IActionFunction action)
    : mRECT(bounds), mTargetRECT(bounds), mActionFunc(std::move(action)) {
  mVals.push_back({paramIdx, 0.});
}

IControl::IControl(const IRECT& bounds, std::initializer_list<int> params, IActionFunction action)
    : mRECT(bounds), mTargetRECT(bounds), mActionFunc(std::move(action)) {
  for (int p : params)
    mVals.push_back({p, 0.});
  if (mVals.empty()) mVals.push_back({kNoParameter, 0.});
}

IControl::~IControl() = default;

void IControl::OnMouseDown(float x, float y, const IMouseMod& mod) {
  if (mod.R) PromptForValue(ValueIndexAt(x, y));
}

void IControl::OnMouseUp(float, float, const IMouseMod&) {}
void IControl::OnMouseDrag(float, float, float, float, const IMouseMod&) {}

void IControl::OnMouseDblClick(float x, float y, const IMouseMod&) {
  ResetToDefault(ValueIndexAt(x, y));
}

void IControl::OnMouseWheel(float, float, const IMouseMod&, float) {}
bool IControl::OnKeyDown(float, float, const IKeyPress&) {
  return false;
}
bool IControl::OnKeyUp(float, float, const IKeyPress&) {
  return false;
}

void IControl::OnMouseOver(float, float, const IMouseMod&) {
  const bool was = mMouseIsOver;
  mMouseIsOver = true;
  if (!was) MarkDirty(false);
}

void IControl::OnMouseOut() {
  const bool was = mMouseIsOver;
  mMouseIsOver = false;
  if (was) MarkDirty(false);
}

void IControl::OnTouchCancelled(float, float, const IMouseMod&) {}
void IControl::OnDrop(const char*) {}
void IControl::OnRescale() {}
void IControl::OnResize() {}
void IControl::OnInit() {}
void IControl::OnAttached() {}
void IControl::OnPluginMessage(int, int, const void*) {}
void IControl::OnMidi(const IMidiMsg&) {}

bool IControl::OnGesture(const IGestureInfo& info) {
  auto it = mGestureFuncs.find(info.type);
  if (it == mGestureFuncs.end() || !it->second) return false;
  mLastGesture = info.type;
  it->second(this, info);
  return true;
}

void IControl::AttachGestureRecognizer(int gestureType, IGestureFunc func) {
  mGestureFuncs[gestureType] = std::move(func);
}

void IControl::BuildContextMenu(IPopupMenu&) {}

void IControl::OnMenuChoice(IPopupMenu* menu, int valIdx) {
  if (!menu || !CanPrompt(valIdx)) return;
  const IParam* p = BoundParamObject(valIdx);
  if (!p) return;
  SetValueFromUser(SnappedNormalized(*p, static_cast<double>(menu->GetChosenItemIdx())), valIdx);
}

void IControl::OnTextEntered(const char*, int) {}
void IControl::OnContextMenuChoice(int) {}

void IControl::PaintAutomationHighlight(IGraphics& g) {
  if (mHighlighted) g.FillCircle(mHighlightColor, mRECT.R - 5.f, mRECT.T + 5.f, 2.f);
}

void IControl::BindParam(int paramIdx, int valIdx) {
  if (!ValidValIdx(valIdx)) return;
  mVals[static_cast<size_t>(valIdx)].idx = paramIdx;
  MarkDirty(false);
}

int IControl::ValueIndexAt(float, float) const {
  return ValueCount() == 1 ? 0 : kNoValIdx;
}

void IControl::SetValueFromPlugin(double value, int valIdx) {
  if (mGraphics && mGraphics->IsControlCaptured(this)) return;
  if (!ValidValIdx(valIdx)) return;
  if (GetValue(valIdx) != value) {
    SetValue(value, valIdx);
    MarkDirty(false);
  }
}

void IControl::SetValueFromUser(double value, int valIdx) {
  if (!ValidValIdx(valIdx)) return;
  if (GetValue(valIdx) != value) {
    SetValue(value, valIdx);
    MarkDirty(true, valIdx);
  }
}

void IControl::ResetToDefault(int valIdx) {
  if (ValueCount() == 1) valIdx = 0;
  for (int i = 0; i < ValueCount(); ++i) {
    if (valIdx >= 0 && i != valIdx) continue;
    if (const IParam* p = BoundParamObject(i)) SetValue(SnappedNormalized(*p, p->Default()), i);
  }
  MarkDirty(true, valIdx);
}

// Non-finite values are refused so that no value of a control is ever NaN or infinite:
// frame selection and drawing convert values to integers and angles.
void IControl::SetValue(double value, int valIdx) {
  if (!ValidValIdx(valIdx) || !std::isfinite(value)) return;
  mVals[static_cast<size_t>(valIdx)].value = value;
}

void IControl::SetText(const IText& text) {
  mText = text;
}

void IControl::SetPosition(float x, float y) {
  x = std::max(0.f, x);
  y = std::max(0.f, y);
  const float dx = x - mRECT.L;
  const float dy = y - mRECT.T;
  mRECT = mRECT.GetTranslated(dx, dy);
  mMouseIsOver = false;
  OnResize();
  mTargetRECT = mTargetRECT.GetTranslated(dx, dy);
}

void IControl::SetSize(float w, float h) {
  w = std::max(0.f, w);
  h = std::max(0.f, h);
  mRECT = mTargetRECT = IRECT(mRECT.L, mRECT.T, mRECT.L + w, mRECT.T + h);
  mMouseIsOver = false;
  OnResize();
}

void IControl::Hide(bool hide) {
  mHide = hide;
  MarkDirty(false);
}

void IControl::SetDisabled(bool disable) {
  mDisabled = disable;
  mBlend.mWeight = disable ? 0.25f : 1.f;
  MarkDirty(false);
}

bool IControl::HitTest(float x, float y) const {
  return mTargetRECT.Contains(x, y);
}

void IControl::SendValue(int valIdx) {
  const int paramIdx = BoundParam(valIdx);
  if (paramIdx == kNoParameter) return;
  if (mDelegate) mDelegate->SetParamFromEditor(paramIdx, GetValue(valIdx));
  if (mGraphics) mGraphics->UpdatePeers(this, valIdx);
}

void IControl::MarkDirty(bool triggerAction, int valIdx) {
  if (ValueCount() == 1) valIdx = 0;
  for (int i = 0; i < ValueCount(); ++i) {
    if (valIdx >= 0 && i != valIdx) continue;
    SetValue(std::clamp(GetValue(i), 0., 1.), i);
  }
  mDirty = true;
  if (triggerAction) {
    for (int i = 0; i < ValueCount(); ++i)
      if (valIdx < 0 || i == valIdx) SendValue(i);
    if (mActionFunc) mActionFunc(this);
  }
}

void IControl::MarkClean() {
  mDirty = false;
}

bool IControl::IsDirty() const {
  return mAnimationFunc ? true : mDirty;
}

void IControl::OnIdle() {}

void IControl::ValueFromPointer(float x, float y, int direction, const IRECT& bounds, int valIdx,
                                double minClip, double maxClip) {
  const float w = bounds.W();
  const float h = bounds.H();
  if ((direction == 1 && !(w > 0.f)) || (direction != 1 && !(h > 0.f))) return;
  x = std::clamp(x, bounds.L, bounds.R);
  y = std::clamp(y, bounds.T, bounds.B);
  double v = direction == 1 ? (x - bounds.L) / w : 1. - (y - bounds.T) / h;
  v = std::round(v / 0.001) * 0.001;
  v = std::min(maxClip, std::max(minClip, v));
  for (int i = 0; i < ValueCount(); ++i)
    if (valIdx < 0 || i == valIdx) SetValue(v, i);
  MarkDirty(true, valIdx);
}

void IControl::OnAnimationEnd() {
  mAnimationFunc = nullptr;
  MarkDirty(false);
  if (mAnimationEndActionFunc) mAnimationEndActionFunc(this);
}

void IControl::SetAnimation(IAnimationFunction func, double durationMs) {
  mAnimationFunc = std::move(func);
  mAnimationStartTime = NowMs();
  mAnimationDuration = durationMs;
}

double IControl::GetValue(int valIdx) const {
  return ValidValIdx(valIdx) ? mVals[static_cast<size_t>(valIdx)].value : 0.;
}

int IControl::BoundParam(int valIdx) const {
  return ValidValIdx(valIdx) ? mVals[static_cast<size_t>(valIdx)].idx : kNoParameter;
}

IParam* IControl::BoundParamObject(int valIdx) const {
  const int paramIdx = BoundParam(valIdx);
  if (paramIdx == kNoParameter || !mDelegate) return nullptr;
  return mDelegate->GetParam(paramIdx);
}

int IControl::IsBound(int paramIdx) const {
  for (int i = 0; i < ValueCount(); ++i)
    if (mVals[static_cast<size_t>(i)].idx == paramIdx) return i;
  return kNoValIdx;
}

bool IControl::CanPrompt(int valIdx) const {
  return valIdx >= 0 && BoundParam(valIdx) != kNoParameter && !mPromptDisabled;
}

double IControl::SnappedNormalized(const IParam& p, double v) {
  return p.NormalizedFromValue(v);
}

IParam* IControl::SteppedParam() const {
  IParam* p = BoundParamObject(0);
  return (p && p->GetStepped() && p->Step() > 0.) ? p : nullptr;
}

void IControl::PromptForValue(int valIdx) {
  if (!CanPrompt(valIdx)) return;
  const IParam* p = BoundParamObject(valIdx);
  if (!p) return;
  const float cx = mRECT.MW();
  const float cy = mRECT.MH();
  const IRECT bounds =
      p->DisplayTextCount() == 0 ? IRECT(cx - 20.f, cy - 8.f, cx + 20.f, cy + 8.f) : mRECT;
  PromptForValue(bounds, valIdx);
}

void IControl::PromptForValue(const IRECT& bounds, int valIdx) {
  if (!CanPrompt(valIdx)) return;
  if (mGraphics) mGraphics->PromptForValue(*this, bounds, valIdx);
  MarkDirty(false);
}

void IControl::DragValue0(double& dragValue, float delta, float span, double gearing,
                          const IMouseMod& mod) {
  const double g = mod.Fine() ? gearing * 10. : gearing;
  if (span == 0.f || !std::isfinite(span) || !(g > 0.) || !std::isfinite(delta)) return;
  dragValue = std::clamp(dragValue + (delta / span) / g, 0., 1.);
  double v = dragValue;
  if (const IParam* p = SteppedParam()) v = p->NormalizedFromValue(p->ValueFromNormalized(v));
  SetValue(v, 0);
  MarkDirty(true);
}

void IControl::WheelValue0(const IMouseMod& mod, float d) {
  if (!std::isfinite(d)) return;
  double v;
  const IParam* p = SteppedParam();
  if (p && d != 0.f) {
    double real = p->ValueFromNormalized(GetValue(0));
    real += d > 0.f ? p->Step() : -p->Step();
    v = p->NormalizedFromValue(real);
  } else {
    v = GetValue(0) + d * (mod.Fine() ? 0.001 : 0.01);
  }
  SetValue(v, 0);
  MarkDirty(true);
}
