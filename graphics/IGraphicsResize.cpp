#include "IGraphics.h"

#include "ICornerResizerControl.h"
#include "IGEditorDelegate.h"

#include <algorithm>
#include <cmath>

namespace {

// A window edge of a million units is far beyond any screen; it keeps casts defined.
constexpr float kMaxWindowUnits = 1.0e6f;

int TruncatedUnits(float v) {
  return static_cast<int>(std::clamp(v, 0.f, kMaxWindowUnits));
}

} // namespace

void IGraphics::Resize(int w, int h, float scale, bool needsPlatformResize) {
  if (!std::isfinite(scale)) return;
  w = std::min(std::max(w, mDelegate->GetMinWidth()), mDelegate->GetMaxWidth());
  h = std::min(std::max(h, mDelegate->GetMinHeight()), mDelegate->GetMaxHeight());
  scale = std::min(std::max(scale, mMinScale), mMaxScale);
  if (w == mWidth && h == mHeight && scale == mDrawScale) return;

  ReleaseCapture();
  mDrawScale = scale;
  mWidth = w;
  mHeight = h;
  if (mCornerResizer) mCornerResizer->OnRescale();
  mDelegate->ResizeFromEditor(static_cast<int>(w * scale), static_cast<int>(h * scale),
                              needsPlatformResize);
  ResizeEditorView();
  ForAllControls(&IControl::OnResize);
  MarkAllDirty();
  ResizeDrawSurface();
  if (mLayoutOnResize) mDelegate->BuildLayout(this);
}

void IGraphics::SetScreenScale(float scale) {
  if (!(scale > 0.f) || !std::isfinite(scale)) return;
  mScreenScale = scale;
  mDelegate->ResizeFromEditor(WindowWidth(), WindowHeight(), true);
  ResizeEditorView();
  ForAllControls(&IControl::OnRescale);
  MarkAllDirty();
  ResizeDrawSurface();
}

void IGraphics::DragResize(float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (mResizerMode == kResizeModeScale) {
    if (!(mMouseDownX > 0.f) || !(mMouseDownY > 0.f)) return;
    const float scaleX = x * mDrawScale / mMouseDownX;
    const float scaleY = y * mDrawScale / mMouseDownY;
    Resize(mWidth, mHeight, std::min(scaleX, scaleY), true);
  } else {
    Resize(TruncatedUnits(x), TruncatedUnits(y), mDrawScale, true);
  }
}

void IGraphics::FinishDragResize() {
  mResizingInProcess = false;
  if (mResizerMode == kResizeModeScale) {
    ForAllControls(&IControl::OnRescale);
    MarkAllDirty();
  }
}
