#include "IGraphicsNanoVG.h"

#include "FontDataCache.h"
#include "NanoVGConvert.h"
#include "PlatformFont.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;

int RegisterFontData(NVGcontext* vg, const char* fontID, const FontFaceData& data) {
  // NanoVG only reads the bytes; it is told not to free them.
  return nvgCreateFontMemAtIndex(vg, fontID, const_cast<unsigned char*>(data.data.data()),
                                 static_cast<int>(data.data.size()), 0, data.faceIndex);
}

} // namespace

bool IGraphicsNanoVG::RegisterFontWithBackend(const char* fontID, const PlatformFont& font) {
  if (!mVG || !fontID) return false;
  FontDataCache& cache = FontDataCache::Instance();
  std::lock_guard<std::mutex> lock(cache.Mutex());
  if (const FontFaceData* cached = cache.FindLocked(fontID)) {
    RegisterFontData(mVG, fontID, *cached);
    return true;
  }
  std::unique_ptr<FontFaceData> data = font.ReadFontData();
  if (!data || data->data.empty() || data->faceIndex < 0 || !data->IsValid()) return false;
  if (RegisterFontData(mVG, fontID, *data) == -1) return false;
  cache.AddLocked(fontID, std::move(data));
  return true;
}

void IGraphicsNanoVG::PrepareText(const IText& text, const char* str, IRECT& r, float& x,
                                  float& y) {
  nvgFontBlur(mVG, 0.f);
  nvgFontSize(mVG, text.mSize);
  nvgFontFace(mVG, text.mFont);
  int align = 0;
  switch (text.mAlign) {
  case kAlignNear:
    x = r.L;
    align = NVG_ALIGN_LEFT;
    break;
  case kAlignCenter:
    x = r.MW();
    align = NVG_ALIGN_CENTER;
    break;
  case kAlignFar:
    x = r.R;
    align = NVG_ALIGN_RIGHT;
    break;
  }
  switch (text.mVAlign) {
  case kVAlignTop:
    y = r.T;
    align |= NVG_ALIGN_TOP;
    break;
  case kVAlignMiddle:
    y = r.MH();
    align |= NVG_ALIGN_MIDDLE;
    break;
  case kVAlignBottom:
    y = r.B;
    align |= NVG_ALIGN_BOTTOM;
    break;
  }
  nvgTextAlign(mVG, align);
  float bounds[4] = {0.f, 0.f, 0.f, 0.f};
  nvgTextBounds(mVG, x, y, str, nullptr, bounds);
  r = IRECT(bounds[0], bounds[1], bounds[2], bounds[3]);
}

void IGraphicsNanoVG::TextRotationTranslation(const IRECT& r, float angleDegrees, float& tx,
                                              float& ty) {
  const float a = angleDegrees * kPi / 180.f;
  const float cx = r.MW();
  const float cy = r.MH();
  tx = cx - (cx * std::cos(a) - cy * std::sin(a));
  ty = cy - (cx * std::sin(a) + cy * std::cos(a));
}

// The box around the text turned about its centre.
void IGraphicsNanoVG::ApplyTextRotationToBounds(const IText& text, IRECT& r) const {
  if (text.mAngle == 0.f) return;
  const float a = text.mAngle * kPi / 180.f;
  const float c = std::fabs(std::cos(a));
  const float s = std::fabs(std::sin(a));
  const float w = r.W() * c + r.H() * s;
  const float h = r.W() * s + r.H() * c;
  r = r.GetCentredInside(w, h);
}

float IGraphicsNanoVG::MeasureTextBounds(const IText& text, const char* str, IRECT& bounds) {
  if (!mVG || !str) return 0.f;
  float x = 0.f, y = 0.f;
  PrepareText(text, str, bounds, x, y);
  ApplyTextRotationToBounds(text, bounds);
  return bounds.W();
}

void IGraphicsNanoVG::RenderText(const IText& text, const char* str, const IRECT& bounds,
                                 const IBlendMode* blend) {
  if (!mVG || !str) return;
  IRECT measured = bounds;
  float x = 0.f, y = 0.f;
  PrepareText(text, str, measured, x, y);
  PathTransformSave();
  if (text.mAngle != 0.f) {
    float tx = 0.f, ty = 0.f;
    TextRotationTranslation(measured, text.mAngle, tx, ty);
    PathTransformTranslate(tx, ty);
    PathTransformRotate(text.mAngle);
  }
  nvgFillColor(mVG, NanoVGColor(text.mFGColor, blend));
  NanoVGSetBlendMode(mVG, blend);
  nvgText(mVG, x, y, str, nullptr);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  PathTransformRestore();
}
