#pragma once

#include "IControl.h"

#include <vector>

// Base of switches: every click steps to the next state, wrapping to the first.
class ISwitchControlBase : public IControl {
public:
  ISwitchControlBase(const IRECT& bounds, int paramIdx = kNoParameter,
                     IActionFunction action = nullptr, int numStates = 2);

  void OnInit() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;

  int GetNumStates() const { return mNumStates; }
  bool IsMouseDown() const { return mMouseDown; }

protected:
  int mNumStates;
  std::vector<bool> mMouseOverForState;
  bool mMouseDown = false;
};
