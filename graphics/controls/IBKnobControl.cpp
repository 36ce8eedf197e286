#include "IBKnobControl.h"

IBKnobControl::IBKnobControl(const IRECT& bounds, const IBitmapHandle& bitmap, int paramIdx,
                             int direction, double gearing)
    : IKnobControlBase(CentredFrameRECT(bounds, bitmap), paramIdx, nullptr, direction, gearing),
      IBitmapBase(bitmap) {
  AttachIControl(this);
}

void IBKnobControl::Draw(IGraphics& g) {
  DrawBitmap(g);
}

void IBKnobControl::OnRescale() {
  ReloadBitmap(mGraphics);
}
