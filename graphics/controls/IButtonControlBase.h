#pragma once

#include "IControl.h"

// Base of momentary buttons: a press sets the value to 1 and the end of the press
// animation sets it back to 0.
class IButtonControlBase : public IControl {
public:
  IButtonControlBase(const IRECT& bounds, IActionFunction action = nullptr);

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnAnimationEnd() override;
};
