#pragma once

#include "IBitmapBase.h"
#include "ISwitchControlBase.h"

// A switch that steps through the frames of its filmstrip, one frame per click, and wraps
// from the last frame to the first.
class IBSwitchControl : public ISwitchControlBase, public IBitmapBase {
public:
  IBSwitchControl(const IRECT& bounds, const IBitmapHandle& bitmap, int paramIdx = kNoParameter);
  IBSwitchControl(float x, float y, const IBitmapHandle& bitmap, int paramIdx = kNoParameter);

  void Draw(IGraphics& g) override;
  void OnRescale() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
};
