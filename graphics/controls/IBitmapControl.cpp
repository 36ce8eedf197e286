#include "IBitmapControl.h"

IBitmapControl::IBitmapControl(float x, float y, const IBitmapHandle& bitmap, int paramIdx,
                               int blendKind)
    : IControl(BitmapRECT(x, y, bitmap), paramIdx), IBitmapBase(bitmap) {
  mBlend = IBlendMode(blendKind, 1.f);
  AttachIControl(this);
}

void IBitmapControl::Draw(IGraphics& g) {
  DrawBitmap(g);
}

void IBitmapControl::OnRescale() {
  ReloadBitmap(mGraphics);
}
