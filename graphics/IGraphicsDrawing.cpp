#include "IGraphics.h"

#include "IBubbleControl.h"
#include "IFPSDisplayControl.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr float kDirtyPadding = 0.75f;
constexpr float kPi = 3.1415927f;

double NowSeconds() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  return duration<double>(steady_clock::now() - start).count();
}

} // namespace

bool IGraphics::IsDirty(IRECTList& rects) {
  if (mDisplayTickFunc) mDisplayTickFunc();
  UpdateBubbles();
  VisitAllControls([](IControl& c) {
    if (const IAnimationFunction& f = c.GetAnimationFunction()) f(&c);
  });
  bool dirty = false;
  VisitAllControls([&](IControl& c) {
    if (c.IsDirty()) {
      rects.Add(c.GetRECT().GetPadded(kDirtyPadding));
      dirty = true;
    }
  });
  for (const auto& bubble : mBubbleControls) {
    if (bubble->GetStaleRECT().Empty()) continue;
    rects.Add(bubble->GetStaleRECT().GetPadded(kDirtyPadding));
    dirty = true;
  }
  return dirty;
}

// Bubble i follows touch i: the control it holds, or for the mouse, the control under the
// pointer when it holds none.
void IGraphics::UpdateBubbles() {
  for (size_t i = 0; i < mBubbleControls.size(); ++i) {
    auto held = mCapturedMap.find(static_cast<uintptr_t>(i));
    const IControl* subject = held != mCapturedMap.end() ? held->second : nullptr;
    if (!subject && i == 0) subject = mMouseOver;
    mBubbleControls[i]->Follow(subject);
  }
}

void IGraphics::Draw(IRECTList& rects) {
  if (rects.Size() == 0) return;
  const float scale = BackingPixelScale();
  ++mDrawnFrames;
  BeginFrame();
  if (mStrict) {
    const IRECT r = rects.Bounds().GetPixelAligned(scale);
    VisitAllControls([&](IControl& c) { RenderControl(&c, r, scale); });
  } else {
    rects.PixelAlign(scale);
    rects.Optimize();
    for (int i = 0; i < rects.Size(); ++i) {
      const IRECT r = rects.Get(i);
      VisitAllControls([&](IControl& c) { RenderControl(&c, r, scale); });
    }
  }
  EndFrame();
}

void IGraphics::RenderControl(IControl* control, const IRECT& bounds, float scale) {
  if (!control) return;
  if (control->IsHidden() && !(ControlCount() > 0 && control == ControlAt(0))) return;
  const IRECT clip =
      bounds.Intersect(control->GetRECT().GetPadded(kDirtyPadding).GetPixelAligned(scale));
  if (clip.W() <= 0.f || clip.H() <= 0.f) return;
  BeginRegion(clip);
  control->Draw(*this);
  EndRegion(clip);
}

void IGraphics::BeginRegion(const IRECT& clip) {
  while (!mTransformStates.empty())
    mTransformStates.pop();
  mTransform = IMatrix();
  SetPathTransform(mTransform);
  SetClipRect(clip);
  mClipRECT = clip;
}

void IGraphics::EndRegion(const IRECT&) {
  mClipRECT = IRECT();
}

void IGraphics::BeginFrame() {
  if (!mPerfDisplay) return;
  const double now = NowSeconds();
  mPerfDisplay->Update(static_cast<float>(now - mPrevTimestamp));
  mPrevTimestamp = now;
}

void IGraphics::PaintBitmap(const IBitmapHandle& bitmap, const IRECT& bounds, int frame,
                            const IBlendMode* blend) {
  if (!bitmap.IsValid()) return;
  const int n = std::max(1, bitmap.N());
  const int k = std::clamp(frame, 1, n);
  int srcX = 0, srcY = 0;
  if (bitmap.GetFramesAreHorizontal())
    srcX = (k - 1) * bitmap.W() / n;
  else
    srcY = (k - 1) * bitmap.H() / n;
  DrawBitmapRegion(bitmap, bounds, srcX, srcY, blend);
}

void IGraphics::PaintRotatedBitmap(const IBitmapHandle& bitmap, float centreX, float centreY,
                                   double angleDegrees, const IBlendMode* blend) {
  const APIBitmap* api = bitmap.GetAPIBitmap();
  if (!api || !(api->DrawScale() > 0.f)) return;
  const float w = bitmap.W() / api->DrawScale();
  const float h = bitmap.H() / api->DrawScale();
  PathTransformSave();
  PathTransformTranslate(centreX, centreY);
  mTransform.Rotate(static_cast<float>(angleDegrees) * kPi / 180.f);
  SetPathTransform(mTransform);
  DrawBitmapRegion(bitmap, IRECT(-w / 2.f, -h / 2.f, w / 2.f, h / 2.f), 0, 0, blend);
  PathTransformRestore();
}

void IGraphics::PaintFittedBitmap(const IBitmapHandle& bitmap, const IRECT& bounds,
                                  const IBlendMode* blend) {
  if (!bitmap.IsValid() || bitmap.W() <= 0 || bitmap.H() <= 0) return;
  PathTransformSave();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(bounds.W() / bitmap.W(), bounds.H() / bitmap.H());
  DrawBitmapRegion(bitmap,
                   IRECT(0.f, 0.f, static_cast<float>(bitmap.W()), static_cast<float>(bitmap.H())),
                   0, 0, blend);
  PathTransformRestore();
}

void IGraphics::FillRect(const IColor& color, const IRECT& r, const IBlendMode* blend) {
  ClearPath();
  MoveTo(r.L, r.T);
  LineTo(r.R, r.T);
  LineTo(r.R, r.B);
  LineTo(r.L, r.B);
  ClosePath();
  FillPath(IFillPattern(color), IFillStyle(), blend);
}

void IGraphics::DrawRect(const IColor& color, const IRECT& r, const IBlendMode* blend,
                         float thickness) {
  ClearPath();
  MoveTo(r.L, r.T);
  LineTo(r.R, r.T);
  LineTo(r.R, r.B);
  LineTo(r.L, r.B);
  ClosePath();
  StrokePath(IFillPattern(color), thickness, IStrokeStyle(), blend);
}

void IGraphics::FillCircle(const IColor& color, float cx, float cy, float r,
                           const IBlendMode* blend) {
  ClearPath();
  AddArc(0, cx, cy, r, 0.f, 360.f);
  ClosePath();
  FillPath(IFillPattern(color), IFillStyle(), blend);
}

void IGraphics::DrawCircle(const IColor& color, float cx, float cy, float r,
                           const IBlendMode* blend, float thickness) {
  ClearPath();
  AddArc(0, cx, cy, r, 0.f, 360.f);
  ClosePath();
  StrokePath(IFillPattern(color), thickness, IStrokeStyle(), blend);
}

void IGraphics::FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3,
                             float y3, const IBlendMode* blend) {
  ClearPath();
  MoveTo(x1, y1);
  LineTo(x2, y2);
  LineTo(x3, y3);
  ClosePath();
  FillPath(IFillPattern(color), IFillStyle(), blend);
}

void IGraphics::DrawLine(const IColor& color, float x1, float y1, float x2, float y2,
                         const IBlendMode* blend, float thickness) {
  ClearPath();
  MoveTo(x1, y1);
  LineTo(x2, y2);
  StrokePath(IFillPattern(color), thickness, IStrokeStyle(), blend);
}

void IGraphics::DrawText(const IText& text, const char* str, const IRECT& bounds,
                         const IBlendMode* blend) {
  if (!str || !*str) return;
  RenderText(text, str, bounds, blend);
}

void IGraphics::PathTransformSave() {
  mTransformStates.push(mTransform);
}

void IGraphics::PathTransformRestore() {
  if (mTransformStates.empty()) return;
  mTransform = mTransformStates.top();
  mTransformStates.pop();
  SetPathTransform(mTransform);
}

void IGraphics::PathTransformReset() {
  mTransform = IMatrix();
  SetPathTransform(mTransform);
}

void IGraphics::PathTransformTranslate(float x, float y) {
  mTransform.Translate(x, y);
  SetPathTransform(mTransform);
}

void IGraphics::PathTransformRotate(float angleDegrees) {
  mTransform.Rotate(angleDegrees * kPi / 180.f);
  SetPathTransform(mTransform);
}

void IGraphics::PathTransformScale(float x, float y) {
  mTransform.Scale(x, y);
  SetPathTransform(mTransform);
}
