#include "IGraphics.h"

#include "ICornerResizerControl.h"
#include "IGEditorDelegate.h"

#include <algorithm>
#include <cmath>

namespace {

// A window edge of a million units is far beyond any screen; it keeps casts defined.
constexpr float kMaxWindowUnits = 1.0e6f;

// A hair over the exact fitting scale, in window points, for when the rounding of the exact
// one costs the limiting side its last whole point; the picture's size truncates the rest.
constexpr float kFitMargin = 1.f / 64.f;

int TruncatedUnits(float v) {
  return static_cast<int>(std::clamp(v, 0.f, kMaxWindowUnits));
}

// Device pixels of a picture side of units at drawScale and screenScale, whole points first
// as the window has them.
int PicturePixels(int units, float drawScale, float screenScale) {
  return static_cast<int>(static_cast<float>(TruncatedUnits(units * drawScale)) * screenScale);
}

// The most whole window points whose device pixels fit into px.
int PointsWithin(int px, float screenScale) {
  const auto pixels = [screenScale](int points) {
    return static_cast<int>(static_cast<float>(points) * screenScale);
  };
  int points = TruncatedUnits(static_cast<float>(px) / screenScale);
  if (static_cast<float>(points) < kMaxWindowUnits && pixels(points + 1) <= px) ++points;
  if (points > 0 && pixels(points) > px) --points;
  return points;
}

} // namespace

int IGraphics::PictureWidthPx() const {
  return PicturePixels(mWidth, mDrawScale, mScreenScale);
}

int IGraphics::PictureHeightPx() const {
  return PicturePixels(mHeight, mDrawScale, mScreenScale);
}

void IGraphics::Resize(int w, int h, float scale, bool needsPlatformResize) {
  if (!std::isfinite(scale)) return;
  w = std::min(std::max(w, mDelegate->GetMinWidth()), mDelegate->GetMaxWidth());
  h = std::min(std::max(h, mDelegate->GetMinHeight()), mDelegate->GetMaxHeight());
  scale = std::min(std::max(scale, mMinScale), mMaxScale);
  if (w == mWidth && h == mHeight && scale == mDrawScale) return;

  ReleaseCapture();
  // The corner's own drag keeps the pointer on the corner.
  if (!mResizingInProcess) ForgetHover();
  mDrawScale = scale;
  mWidth = w;
  mHeight = h;
  // The host is asked for a window of the picture's size.
  if (needsPlatformResize) mSurfaceWidthPx = mSurfaceHeightPx = 0;
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
  ForgetHover();
  // The host's window was measured in the old pixels; the host is asked for the new ones.
  mSurfaceWidthPx = mSurfaceHeightPx = 0;
  mDelegate->ResizeFromEditor(WindowWidth(), WindowHeight(), true);
  ResizeEditorView();
  ForAllControls(&IControl::OnRescale);
  MarkAllDirty();
  ResizeDrawSurface();
}

// The window's size is checked first: the host that answers the editor's own request with
// the picture's size keeps the draw scale, whatever rounding put it at that size.
void IGraphics::FitToWindow(int widthPx, int heightPx) {
  if (widthPx <= 0 || heightPx <= 0 || mWidth <= 0 || mHeight <= 0) return;
  const auto maxPx = static_cast<int>(kMaxWindowUnits);
  widthPx = std::min(widthPx, maxPx);
  heightPx = std::min(heightPx, maxPx);
  mSurfaceWidthPx = widthPx;
  mSurfaceHeightPx = heightPx;
  if (widthPx != PictureWidthPx() || heightPx != PictureHeightPx()) {
    const auto fit = [&](float margin) {
      const float w = static_cast<float>(PointsWithin(widthPx, mScreenScale)) + margin;
      const float h = static_cast<float>(PointsWithin(heightPx, mScreenScale)) + margin;
      const float scale = std::min(w / static_cast<float>(mWidth), h / static_cast<float>(mHeight));
      return std::min(std::max(scale, mMinScale), mMaxScale);
    };
    const auto sameSize = [&](float a, float b) {
      return PicturePixels(mWidth, a, mScreenScale) == PicturePixels(mWidth, b, mScreenScale) &&
             PicturePixels(mHeight, a, mScreenScale) == PicturePixels(mHeight, b, mScreenScale);
    };
    float scale = fit(0.f);
    const float generous = fit(kFitMargin);
    if (!sameSize(scale, generous)) scale = generous;
    if (!sameSize(scale, mDrawScale)) Resize(mWidth, mHeight, scale, false);
  }
  mDelegate->SetEditorSize(WindowWidth(), WindowHeight());
  ResizeEditorView();
  MarkAllDirty();
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
