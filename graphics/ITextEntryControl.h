#pragma once

#include "IControl.h"

// The in-editor text field that takes typed values. The editing engine derives from
// this; the graphics context only opens it and asks whether it is editing.
class ITextEntryControl : public IControl {
public:
  ITextEntryControl() : IControl(IRECT()) {}

  virtual void CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) = 0;
  virtual bool EditInProgress() const = 0;
};
