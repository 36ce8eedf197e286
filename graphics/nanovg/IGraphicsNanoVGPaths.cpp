#include "IGraphicsNanoVG.h"

#include "NanoVGConvert.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;
// More dashes than any editor edge can show; beyond it a dash length is taken as broken.
constexpr float kMaxDashes = 65536.f;

// Angles are degrees clockwise from 12 o'clock; NanoVG's radians start at 3 o'clock.
float ArcRadians(float degrees) {
  return (degrees - 90.f) / 180.f * kPi;
}

int NanoVGLineJoin(ELineJoin join) {
  switch (join) {
  case kJoinMiter:
    return NVG_MITER;
  case kJoinRound:
    return NVG_ROUND;
  case kJoinBevel:
    return NVG_BEVEL;
  }
  return -1;
}

} // namespace

void IGraphicsNanoVG::ClearPath() {
  if (mVG) nvgBeginPath(mVG);
}

void IGraphicsNanoVG::ClosePath() {
  if (mVG) nvgClosePath(mVG);
}

void IGraphicsNanoVG::AddArc(int winding, float cx, float cy, float r, float angle1, float angle2) {
  if (!mVG) return;
  nvgArc(mVG, cx, cy, r, ArcRadians(angle1), ArcRadians(angle2), winding == 0 ? NVG_CW : NVG_CCW);
}

void IGraphicsNanoVG::MoveTo(float x, float y) {
  if (mVG) nvgMoveTo(mVG, x, y);
}

void IGraphicsNanoVG::LineTo(float x, float y) {
  if (mVG) nvgLineTo(mVG, x, y);
}

void IGraphicsNanoVG::SetPathWinding(bool clockwise) {
  if (mVG) nvgPathWinding(mVG, clockwise ? NVG_CW : NVG_CCW);
}

void IGraphicsNanoVG::CubicTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) {
  if (mVG) nvgBezierTo(mVG, c1x, c1y, c2x, c2y, x2, y2);
}

void IGraphicsNanoVG::QuadTo(float cx, float cy, float x2, float y2) {
  if (mVG) nvgQuadTo(mVG, cx, cy, x2, y2);
}

void IGraphicsNanoVG::FillPath(const IFillPattern& pattern, const IFillStyle& style,
                               const IBlendMode* blend) {
  if (!mVG) return;
  nvgPathWinding(mVG, style.mEvenOdd ? NVG_CW : NVG_CCW);
  if (pattern.mType == 0)
    nvgFillColor(mVG, NanoVGColor(pattern.GetStopColor(0), blend));
  else
    nvgFillPaint(mVG, NanoVGPaint(mVG, pattern, blend));
  NanoVGSetBlendMode(mVG, blend);
  nvgFill(mVG);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  if (!style.mPreserve) nvgBeginPath(mVG);
}

void IGraphicsNanoVG::StrokePath(const IFillPattern& pattern, float thickness,
                                 const IStrokeStyle& style, const IBlendMode* blend) {
  if (!mVG) return;
  if (style.mCap >= kCapButt && style.mCap <= kCapSquare) nvgLineCap(mVG, style.mCap);
  const int join = NanoVGLineJoin(style.mJoin);
  if (join >= 0) nvgLineJoin(mVG, join);
  nvgMiterLimit(mVG, style.mMiterLimit);
  nvgStrokeWidth(mVG, thickness);
  if (pattern.mType == 0)
    nvgStrokeColor(mVG, NanoVGColor(pattern.GetStopColor(0), blend));
  else
    nvgStrokePaint(mVG, NanoVGPaint(mVG, pattern, blend));
  nvgPathWinding(mVG, NVG_CCW);
  NanoVGSetBlendMode(mVG, blend);
  nvgStroke(mVG);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  if (!style.mPreserve) nvgBeginPath(mVG);
}

void IGraphicsNanoVG::SetPathTransform(const IMatrix& m) {
  if (!mVG) return;
  nvgResetTransform(mVG);
  nvgScale(mVG, DrawScale(), DrawScale());
  if (const IDrawLayer* layer = CurrentLayer())
    nvgTranslate(mVG, -layer->Bounds().L, -layer->Bounds().T);
  nvgTransform(mVG, static_cast<float>(m.mXX), static_cast<float>(m.mYX), static_cast<float>(m.mXY),
               static_cast<float>(m.mYY), static_cast<float>(m.mTX), static_cast<float>(m.mTY));
}

void IGraphicsNanoVG::SetClipRect(const IRECT& r) {
  if (mVG) nvgScissor(mVG, r.L, r.T, r.W(), r.H());
}

void IGraphicsNanoVG::DrawDashedLine(const IColor& color, float x1, float y1, float x2, float y2,
                                     const IBlendMode* blend, float thickness, float dashLen) {
  if (!mVG) return;
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  const float n = std::round(std::sqrt(dx * dx + dy * dy) / dashLen);
  nvgBeginPath(mVG);
  MoveTo(x1, y1);
  // A dash length of 0 or a non-finite one gives no count to walk; only the move remains.
  if (std::isfinite(n) && n > 1.f && n <= kMaxDashes) {
    for (float i = 1.f; i < n; i += 2.f) {
      LineTo(x1 + dx * i / n, y1 + dy * i / n);
      MoveTo(x1 + dx * (i + 1.f) / n, y1 + dy * (i + 1.f) / n);
    }
  }
  StrokePath(IFillPattern(color), thickness, IStrokeStyle(), blend);
}

void IGraphicsNanoVG::DrawDashedRect(const IColor& color, const IRECT& r, const IBlendMode* blend,
                                     float thickness, float dashLen) {
  if (!mVG || !(dashLen > 0.f) || !std::isfinite(dashLen)) return;
  const float w = r.W();
  const float h = r.H();
  if (!(w >= 0.f) || !(h >= 0.f) || !std::isfinite(w) || !std::isfinite(h)) return;
  const float dashesX = std::ceil(w / (2.f * dashLen));
  const float dashesY = std::ceil(h / (2.f * dashLen));
  if (dashesX > kMaxDashes || dashesY > kMaxDashes) return;
  const int nx = static_cast<int>(dashesX);
  const int ny = static_cast<int>(dashesY);
  auto clampX = [&](float x) { return std::clamp(x, r.L, r.R); };
  auto clampY = [&](float y) { return std::clamp(y, r.T, r.B); };
  nvgBeginPath(mVG);
  float x = r.L, y = r.T;
  MoveTo(x, y);
  for (int i = 0; i < nx; ++i) {
    LineTo(x = clampX(x + dashLen), y);
    MoveTo(x = clampX(x + dashLen), y);
  }
  for (int i = 0; i < ny; ++i) {
    LineTo(x, y = clampY(y + dashLen));
    MoveTo(x, y = clampY(y + dashLen));
  }
  for (int i = 0; i < nx; ++i) {
    LineTo(x = clampX(x - dashLen), y);
    MoveTo(x = clampX(x - dashLen), y);
  }
  for (int i = 0; i < ny; ++i) {
    LineTo(x, y = clampY(y - dashLen));
    MoveTo(x, y = clampY(y - dashLen));
  }
  StrokePath(IFillPattern(color), thickness, IStrokeStyle(), blend);
}

void IGraphicsNanoVG::DrawBoxShadow(const IRECT& inner, const IRECT& outer, float drop,
                                    float roundness, float blur, const IBlendMode* blend) {
  if (!mVG) return;
  const NVGpaint shadow =
      nvgBoxGradient(mVG, inner.L + drop, inner.T + drop, inner.W(), inner.H(), roundness, blur,
                     NanoVGColor(COLOR_BLACK_DROP_SHADOW, blend), NanoVGColor(COLOR_TRANSPARENT));
  nvgBeginPath(mVG);
  nvgRect(mVG, outer.L, outer.T, outer.W(), outer.H());
  nvgFillPaint(mVG, shadow);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  nvgFill(mVG);
  nvgBeginPath(mVG);
}
