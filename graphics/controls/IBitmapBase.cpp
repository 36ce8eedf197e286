#include "IBitmapBase.h"

#include "IControl.h"
#include "IGraphics.h"

#include <cmath>

int IBitmapBase::FrameForValue(int frames, double value) {
  if (frames < 2) return 1;
  // Clamping first keeps the conversion to int defined for any value.
  const double v = std::isnan(value) ? 0. : std::fmin(std::fmax(value, 0.), 1.);
  const int i = static_cast<int>((frames - 1) * v + 0.5);
  const int frame = i < 0 ? 1 : i + 1;
  return frame > frames ? frames : frame;
}

IRECT IBitmapBase::BitmapRECT(float x, float y, const IBitmapHandle& bitmap) {
  return IRECT(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH()));
}

IRECT IBitmapBase::CentredFrameRECT(const IRECT& bounds, const IBitmapHandle& bitmap) {
  const float fw = static_cast<float>(bitmap.FW());
  const float fh = static_cast<float>(bitmap.FH());
  const float l = bounds.MW() - fw / 2.f;
  const float t = bounds.MH() - fh / 2.f;
  return IRECT(l, t, l + fw, t + fh);
}

void IBitmapBase::DrawBitmap(IGraphics& g) const {
  if (!mOwner) return;
  const int frame = FrameForValue(mBitmap.N(), mOwner->GetValue(0));
  const IRECT dest = CentredFrameRECT(mOwner->GetRECT(), mBitmap);
  g.PaintBitmap(mBitmap, dest, frame, &mOwner->GetBlend());
}

void IBitmapBase::ReloadBitmap(IGraphics* g) {
  if (g) mBitmap = g->BitmapAtScale(mBitmap);
}
