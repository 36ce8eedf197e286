#pragma once

#include "IControl.h"

#include <string>

// A value bubble: the name and display text of the parameter of the control the pointer
// holds or rests on, drawn after every other control next to that control. It is no member of
// the control list and never hit, so the controls under it keep their input. The context tells
// it on every display tick which control that is; it redraws only when its text or place
// changes and goes away a few ticks after the pointer has left.
class IBubbleControl : public IControl {
public:
  // How long it stays after the pointer left, unless set in ticks.
  static constexpr double kDefaultHideDelaySeconds = 0.5;

  // The text's size and the bubble's measures are window points, so that the bubble reads
  // the same at every draw scale.
  explicit IBubbleControl(const IText& text = IText(13.f, IColor(255, 242, 230, 212)),
                          const IColor& fillColor = IColor(238, 30, 25, 22),
                          const IColor& frameColor = IColor(255, 184, 120, 72));

  // One display tick. subject is the control that holds or hovers the pointer, or null.
  void Follow(const IControl* subject);
  // Gone at once, without the delay: what it showed no longer stands where it stood.
  void Dismiss();
  void SetHideDelay(int ticks) { mHideDelay = ticks < 0 ? 0 : ticks; }
  // The delay in display ticks: by default half a second of the context's frame rate.
  int HideDelayTicks() const;

  bool IsShown() const { return !IsHidden(); }
  const std::string& GetStr() const { return mStr; }
  int GetParamIdx() const { return mParamIdx; }
  // What was drawn of the bubble and is no longer covered by it: the context repaints it.
  const IRECT& GetStaleRECT() const { return mStale; }

  void Draw(IGraphics& g) override;
  void MarkClean() override;

private:
  // The first parameter of the control that the delegate knows, or kNoParameter.
  int ParamOf(const IControl& control) const;
  void Refresh();
  IRECT Placement(float textW, float textH) const;
  void Show(bool show);

  IColor mFillColor;
  IColor mFrameColor;
  std::string mStr;
  int mParamIdx = kNoParameter;
  int mShownParam = kNoParameter;
  double mShownValue = 0.;
  float mMeasuredScale = 0.f;
  float mTextW = 0.f;
  IRECT mAnchor;
  IRECT mStale;
  int mHideDelay = -1;
  int mCountdown = -1;
};
