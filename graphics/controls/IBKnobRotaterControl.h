#pragma once

#include "IBKnobControl.h"

// A knob drawn as one image turned with its value, from -130° at 0 to +130° at 1. Only the
// picture turns; the area that takes the mouse stays as it is.
class IBKnobRotaterControl : public IBKnobControl {
public:
  IBKnobRotaterControl(float x, float y, const IBitmapHandle& bitmap, int paramIdx = kNoParameter);

  // The angle in degrees at which a value is drawn; 0 is the image as it was made.
  static double AngleForValue(double value) { return value * 260. - 130.; }

  void Draw(IGraphics& g) override;
};
