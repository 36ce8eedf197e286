#include "IBubbleControl.h"

#include "IGEditorDelegate.h"
#include "IGraphics.h"
#include "IParam.h"

#include <algorithm>
#include <cmath>

namespace {

// Window points.
constexpr float kPadX = 8.f;
constexpr float kPadY = 4.f;
constexpr float kGap = 2.f;
constexpr float kMargin = 3.f;
constexpr float kCorner = 4.f;
constexpr float kFrame = 1.f;
// Line height of the text by its size: room for ascenders and descenders of any value.
constexpr float kLineHeight = 1.25f;

float ToPixel(float v, float scale) {
  return std::round(v * scale) / scale;
}

void RoundedRectPath(IGraphics& g, const IRECT& r, float radius) {
  const float k = std::min(radius, std::min(r.W(), r.H()) / 2.f);
  g.ClearPath();
  g.MoveTo(r.L + k, r.T);
  g.LineTo(r.R - k, r.T);
  g.AddArc(0, r.R - k, r.T + k, k, 0.f, 90.f);
  g.LineTo(r.R, r.B - k);
  g.AddArc(0, r.R - k, r.B - k, k, 90.f, 180.f);
  g.LineTo(r.L + k, r.B);
  g.AddArc(0, r.L + k, r.B - k, k, 180.f, 270.f);
  g.LineTo(r.L, r.T + k);
  g.AddArc(0, r.L + k, r.T + k, k, 270.f, 360.f);
  g.ClosePath();
}

} // namespace

IBubbleControl::IBubbleControl(const IText& text, const IColor& fillColor, const IColor& frameColor)
    : IControl(IRECT()), mFillColor(fillColor), mFrameColor(frameColor) {
  mText = text;
  mText.mAlign = kAlignCenter;
  mText.mVAlign = kVAlignMiddle;
  mIgnoreMouse = true;
  mHide = true;
}

int IBubbleControl::ParamOf(const IControl& control) const {
  if (!mDelegate) return kNoParameter;
  for (int v = 0; v < control.ValueCount(); ++v) {
    const int idx = control.BoundParam(v);
    if (idx != kNoParameter && mDelegate->GetParam(idx)) return idx;
  }
  return kNoParameter;
}

void IBubbleControl::Follow(const IControl* subject) {
  const int idx = subject ? ParamOf(*subject) : kNoParameter;
  if (idx != kNoParameter) {
    mCountdown = -1;
    mParamIdx = idx;
    mAnchor = subject->GetTargetRECT();
    Show(true);
  } else if (IsShown()) {
    if (mCountdown < 0) mCountdown = HideDelayTicks();
    if (mCountdown == 0) {
      mCountdown = -1;
      Show(false);
      return;
    }
    --mCountdown;
  }
  if (IsShown()) Refresh();
}

void IBubbleControl::Dismiss() {
  mCountdown = -1;
  Show(false);
}

int IBubbleControl::HideDelayTicks() const {
  if (mHideDelay >= 0) return mHideDelay;
  const int fps = mGraphics ? mGraphics->FPS() : 60;
  return std::max(1, static_cast<int>(std::lround(fps * kDefaultHideDelaySeconds)));
}

void IBubbleControl::Show(bool show) {
  if (show == IsShown()) return;
  mHide = !show;
  if (show) mStr.clear();
  MarkDirty(false);
}

// Formats only when the value moved, measures only when the text or the scale changed, and
// marks itself dirty only when what it shows differs: a bubble at rest costs no frame.
void IBubbleControl::Refresh() {
  if (!mGraphics || !mDelegate) return;
  const IParam* p = mDelegate->GetParam(mParamIdx);
  if (!p) return;
  const double value = p->Value();
  bool changed = false;
  if (mStr.empty() || mParamIdx != mShownParam || value != mShownValue) {
    std::string display;
    p->FormatDisplay(value, false, display);
    std::string str = p->Name();
    str += ' ';
    str += display;
    if (*p->Label()) {
      str += ' ';
      str += p->Label();
    }
    mShownValue = value;
    mShownParam = mParamIdx;
    if (str != mStr) {
      mStr = std::move(str);
      mMeasuredScale = 0.f;
      changed = true;
    }
  }
  const float drawScale = mGraphics->DrawScale();
  IText text = mText;
  text.mSize = mText.mSize / drawScale;
  if (mMeasuredScale != drawScale) {
    IRECT measured(0.f, 0.f, 0.f, 0.f);
    mTextW = mGraphics->MeasureTextBounds(text, mStr.c_str(), measured);
    mMeasuredScale = drawScale;
  }
  const IRECT r = Placement(mTextW, text.mSize * kLineHeight);
  if (r != mRECT) {
    if (!mRECT.Empty()) mStale = mStale.Empty() ? mRECT : mStale.Union(mRECT);
    SetArea(r);
    changed = true;
  }
  if (changed) MarkDirty(false);
}

// Above the control, below it when the editor's top edge is in the way, and moved inside
// the editor near its sides; every edge on a device pixel.
IRECT IBubbleControl::Placement(float textW, float textH) const {
  const float ds = mGraphics->DrawScale();
  const float px = mGraphics->BackingPixelScale();
  const float w = ToPixel(textW + 2.f * kPadX / ds, px);
  const float h = ToPixel(textH + 2.f * kPadY / ds, px);
  const float gap = kGap / ds, margin = kMargin / ds;
  const float width = static_cast<float>(mGraphics->Width());
  const float height = static_cast<float>(mGraphics->Height());

  float t = mAnchor.T - gap - h;
  if (t < margin) t = mAnchor.B + gap;
  t = std::max(margin, std::min(t, height - margin - h));
  float l = mAnchor.MW() - w / 2.f;
  l = std::max(margin, std::min(l, width - margin - w));
  l = ToPixel(l, px);
  t = ToPixel(t, px);
  return IRECT(l, t, l + w, t + h);
}

void IBubbleControl::Draw(IGraphics& g) {
  if (mStr.empty()) return;
  const float ds = g.DrawScale();
  const float frame = kFrame / ds;
  const IRECT inner = mRECT.GetPadded(-frame / 2.f);
  RoundedRectPath(g, inner, kCorner / ds);
  g.FillPath(IFillPattern(mFillColor), IFillStyle(), &mBlend);
  RoundedRectPath(g, inner, kCorner / ds);
  g.StrokePath(IFillPattern(mFrameColor), frame, IStrokeStyle(), &mBlend);
  IText text = mText;
  text.mSize = mText.mSize / ds;
  g.DrawText(text, mStr.c_str(), mRECT, &mBlend);
}

void IBubbleControl::MarkClean() {
  IControl::MarkClean();
  mStale = IRECT();
}
