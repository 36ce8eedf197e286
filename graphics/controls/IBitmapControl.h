#pragma once

#include "IBitmapBase.h"
#include "IControl.h"

// A still image, or the frame of a filmstrip that matches its value; the editor's
// background is one.
class IBitmapControl : public IControl, public IBitmapBase {
public:
  IBitmapControl(float x, float y, const IBitmapHandle& bitmap, int paramIdx = kNoParameter,
                 int blendKind = 0);

  void Draw(IGraphics& g) override;
  void OnRescale() override;
};
