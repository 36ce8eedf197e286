#pragma once

#include "IControl.h"

enum EDirection { kVertical = 0, kHorizontal = 1 };
constexpr double DEFAULT_GEARING = 4.;

// Base of knobs: a relative drag over the knob's area moves the value, slowed by the gearing.
class IKnobControlBase : public IControl {
public:
  IKnobControlBase(const IRECT& bounds, int paramIdx = kNoParameter,
                   IActionFunction action = nullptr, int direction = kVertical,
                   double gearing = DEFAULT_GEARING);

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override;
  virtual IRECT KnobDragArea() const { return mTargetRECT; }

  void SetGearing(double gearing) { mGearing = gearing; }
  double GetGearing() const { return mGearing; }
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }
  bool IsMouseDown() const { return mMouseDown; }

protected:
  bool mHideCursorOnDrag = true;
  int mDirection;
  double mGearing;
  bool mMouseDown = false;
  double mMouseDragValue = 0.;
};
