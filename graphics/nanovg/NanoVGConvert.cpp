#include "NanoVGConvert.h"

#include <algorithm>

NVGcolor NanoVGColor(const IColor& color, const IBlendMode* blend) {
  NVGcolor c;
  c.r = static_cast<float>(color.R) / 255.f;
  c.g = static_cast<float>(color.G) / 255.f;
  c.b = static_cast<float>(color.B) / 255.f;
  c.a = BlendWeight(blend) * static_cast<float>(color.A) / 255.f;
  return c;
}

void NanoVGSetBlendMode(NVGcontext* vg, const IBlendMode* blend) {
  if (!blend) {
    nvgGlobalCompositeOperation(vg, NVG_SOURCE_OVER);
    return;
  }
  switch (blend->mMethod) {
  case 0:
    nvgGlobalCompositeOperation(vg, NVG_SOURCE_OVER);
    break;
  case 1:
    nvgGlobalCompositeOperation(vg, NVG_SOURCE_IN);
    break;
  case 2:
    nvgGlobalCompositeOperation(vg, NVG_SOURCE_OUT);
    break;
  case 3:
    nvgGlobalCompositeOperation(vg, NVG_ATOP);
    break;
  case 4:
    nvgGlobalCompositeOperation(vg, NVG_DESTINATION_OVER);
    break;
  case 5:
    nvgGlobalCompositeOperation(vg, NVG_DESTINATION_IN);
    break;
  case 6:
    nvgGlobalCompositeOperation(vg, NVG_DESTINATION_OUT);
    break;
  case 7:
    nvgGlobalCompositeOperation(vg, NVG_DESTINATION_ATOP);
    break;
  case 8:
    nvgGlobalCompositeBlendFunc(vg, NVG_SRC_ALPHA, NVG_DST_ALPHA);
    break;
  case 9:
    nvgGlobalCompositeOperation(vg, NVG_XOR);
    break;
  default:
    break;
  }
}

NVGpaint NanoVGPaint(NVGcontext* vg, const IFillPattern& pattern, const IBlendMode* blend) {
  const int last = pattern.mNStops > 0 ? std::min(pattern.mNStops, IFillPattern::kMaxStops) - 1 : 0;
  const NVGcolor icol = NanoVGColor(pattern.GetStopColor(0), blend);
  const NVGcolor ocol = NanoVGColor(pattern.GetStopColor(last), blend);
  const IMatrix& m = pattern.mTransform;
  const double d = m.mXX * m.mYY - m.mYX * m.mXY;
  // A singular transform has no inverse; it is drawn as if it were the identity.
  const IMatrix inverse =
      d == 0. ? IMatrix()
              : IMatrix(m.mYY / d, -m.mYX / d, -m.mXY / d, m.mXX / d,
                        (m.mXY * m.mTY - m.mYY * m.mTX) / d, (m.mYX * m.mTX - m.mXX * m.mTY) / d);
  double sx = 0., sy = 0.;
  inverse.TransformPoint(sx, sy);
  if (pattern.mType == 2) {
    const float outer = static_cast<float>(inverse.mXX);
    return nvgRadialGradient(vg, static_cast<float>(sx), static_cast<float>(sy),
                             outer * pattern.mStops[0].mOffset, outer, icol, ocol);
  }
  double ex = 0., ey = 1.;
  inverse.TransformPoint(ex, ey);
  return nvgLinearGradient(vg, static_cast<float>(sx), static_cast<float>(sy),
                           static_cast<float>(ex), static_cast<float>(ey), icol, ocol);
}
