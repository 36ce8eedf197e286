#pragma once

#include "IKnobControlBase.h"

// Base of sliders: the value follows the pointer along a track, or moves relatively
// like a knob while the cursor is hidden or the parameter is stepped.
class ISliderControlBase : public IControl {
public:
  ISliderControlBase(const IRECT& bounds, int paramIdx = kNoParameter,
                     IActionFunction action = nullptr, int direction = kVertical,
                     double gearing = DEFAULT_GEARING, float handleSize = 0.f);

  void OnResize() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override;

  const IRECT& GetTrack() const { return mTrack; }
  void SetHideCursorOnDrag(bool hide) { mHideCursorOnDrag = hide; }
  bool IsMouseDown() const { return mMouseDown; }

protected:
  bool mHideCursorOnDrag = true;
  int mDirection;
  IRECT mTrack;
  float mHandleSize;
  double mGearing;
  bool mMouseDown = false;
  double mMouseDragValue = 0.;
};
