#include "IBKnobRotaterControl.h"

#include "IGraphics.h"

IBKnobRotaterControl::IBKnobRotaterControl(float x, float y, const IBitmapHandle& bitmap,
                                           int paramIdx)
    : IBKnobControl(BitmapRECT(x, y, bitmap), bitmap, paramIdx, kVertical, DEFAULT_GEARING) {}

void IBKnobRotaterControl::Draw(IGraphics& g) {
  g.PaintRotatedBitmap(mBitmap, mRECT.MW(), mRECT.MH(), AngleForValue(GetValue(0)), &mBlend);
}
