#pragma once

#include "IControl.h"

class IPopupMenu;

// An in-editor popup menu. While expanded it takes all input; when the user chooses it
// completes through IGraphics::FinishPopupMenu.
class IPopupMenuControl : public IControl {
public:
  IPopupMenuControl() : IControl(IRECT()) {}

  virtual void CreatePopupMenu(IPopupMenu& menu, const IRECT& bounds) = 0;
  virtual bool GetExpanded() const = 0;
};
