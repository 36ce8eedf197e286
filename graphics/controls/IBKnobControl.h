#pragma once

#include "IBitmapBase.h"
#include "IKnobControlBase.h"

// A knob drawn as the filmstrip frame that matches its value.
class IBKnobControl : public IKnobControlBase, public IBitmapBase {
public:
  IBKnobControl(const IRECT& bounds, const IBitmapHandle& bitmap, int paramIdx = kNoParameter,
                int direction = kVertical, double gearing = DEFAULT_GEARING);

  void Draw(IGraphics& g) override;
  void OnRescale() override;
};
