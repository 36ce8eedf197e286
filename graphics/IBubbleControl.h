#pragma once

#include "IControl.h"

// A value bubble shown next to a control while it is changed; drawn after all controls.
class IBubbleControl : public IControl {
public:
  IBubbleControl() : IControl(IRECT()) {}
};
