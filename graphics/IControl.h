#pragma once

#include "IBlendMode.h"
#include "IColor.h"
#include "IMouseMod.h"
#include "IRECT.h"
#include "IText.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <vector>

class IControl;
class IGraphics;
class IGEditorDelegate;
class IParam;
class IPopupMenu;
struct IKeyPress;
struct IMidiMsg;

constexpr int kNoParameter = -1;
constexpr int kNoValIdx = -1;
constexpr int kNoTag = -1;
constexpr double DEFAULT_ANIMATION_DURATION = 100.;
constexpr int DEFAULT_TEXT_ENTRY_LEN = 7;

using IActionFunction = std::function<void(IControl*)>;
using IAnimationFunction = std::function<void(IControl*)>;

// A gesture reported by the platform; kept as a hook, no editor control uses one.
struct IGestureInfo {
  int type = 0;
  float x = 0.f;
  float y = 0.f;
  float scale = 0.f;
  float velocity = 0.f;
  float angle = 0.f;
};
using IGestureFunc = std::function<void(IControl*, const IGestureInfo&)>;

// One element of the editor: a rectangle that draws itself, reacts to input and holds
// normalised values, each of which may be bound to a plug-in parameter. A binding that shows
// the host's menu for it brings a choice among the control's items back to
// OnContextMenuChoice.
class IControl {
public:
  IControl(const IRECT& bounds, int paramIdx = kNoParameter, IActionFunction action = nullptr);
  IControl(const IRECT& bounds, std::initializer_list<int> params,
           IActionFunction action = nullptr);
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;
  virtual ~IControl();

  virtual void OnMouseDown(float x, float y, const IMouseMod& mod);
  virtual void OnMouseUp(float x, float y, const IMouseMod& mod);
  virtual void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod);
  virtual void OnMouseDblClick(float x, float y, const IMouseMod& mod);
  virtual void OnMouseWheel(float x, float y, const IMouseMod& mod, float d);
  virtual bool OnKeyDown(float x, float y, const IKeyPress& key);
  virtual bool OnKeyUp(float x, float y, const IKeyPress& key);
  virtual void OnMouseOver(float x, float y, const IMouseMod& mod);
  virtual void OnMouseOut();
  virtual void OnTouchCancelled(float x, float y, const IMouseMod& mod);
  virtual void OnDrop(const char* data);
  virtual void OnRescale();
  virtual void OnResize();
  virtual void OnInit();
  virtual void OnAttached();
  virtual void OnPluginMessage(int msgTag, int dataSize, const void* data);
  virtual void OnMidi(const IMidiMsg& msg);
  virtual bool OnGesture(const IGestureInfo& info);
  virtual void BuildContextMenu(IPopupMenu& menu);
  virtual void OnMenuChoice(IPopupMenu* menu, int valIdx);
  virtual void OnTextEntered(const char* text, int valIdx);
  virtual void OnContextMenuChoice(int itemIndex);
  virtual void Draw(IGraphics& g) = 0;
  virtual void PaintAutomationHighlight(IGraphics& g);
  virtual void BindParam(int paramIdx, int valIdx = 0);
  virtual int ValueIndexAt(float x, float y) const;
  virtual void SetValueFromPlugin(double value, int valIdx = 0);
  virtual void SetValueFromUser(double value, int valIdx = 0);
  virtual void ResetToDefault(int valIdx = kNoValIdx);
  virtual void SetValue(double value, int valIdx = 0);
  virtual void SetText(const IText& text);
  virtual void SetPosition(float x, float y);
  virtual void SetSize(float w, float h);
  virtual void Hide(bool hide);
  virtual void SetDisabled(bool disable);
  virtual bool HitTest(float x, float y) const;
  virtual void MarkDirty(bool triggerAction = true, int valIdx = kNoValIdx);
  virtual void MarkClean();
  virtual bool IsDirty() const;
  virtual void OnIdle();
  virtual void ValueFromPointer(float x, float y, int direction, const IRECT& bounds,
                                int valIdx = kNoValIdx, double minClip = 0., double maxClip = 1.);
  virtual void OnAnimationEnd();

  // Values and their parameters. Indexes out of range read as 0, unbound or null.
  double GetValue(int valIdx = 0) const;
  int ValueCount() const { return static_cast<int>(mVals.size()); }
  int BoundParam(int valIdx = 0) const;
  IParam* BoundParamObject(int valIdx = 0) const;
  int IsBound(int paramIdx) const;

  const IRECT& DrawArea() const { return mRECT; }
  const IRECT& HitArea() const { return mTargetRECT; }
  void SetDrawArea(const IRECT& r) { mRECT = r; }
  void SetHitArea(const IRECT& r) { mTargetRECT = r; }
  void SetArea(const IRECT& r) { mRECT = mTargetRECT = r; }
  const IRECT& GetRECT() const { return mRECT; }
  const IRECT& GetTargetRECT() const { return mTargetRECT; }

  IGraphics* OwnerGraphics() const { return mGraphics; }
  IGEditorDelegate* OwnerDelegate() const { return mDelegate; }
  void SetOwner(IGEditorDelegate* delegate, IGraphics* graphics) {
    mDelegate = delegate;
    mGraphics = graphics;
  }

  void SetAction(IActionFunction action) { mActionFunc = std::move(action); }
  const IActionFunction& GetActionFunction() const { return mActionFunc; }
  void SetAnimation(IAnimationFunction func, double durationMs);
  void SetAnimationEndAction(IActionFunction func) { mAnimationEndActionFunc = std::move(func); }
  const IAnimationFunction& GetAnimationFunction() const { return mAnimationFunc; }
  double GetAnimationStartTime() const { return mAnimationStartTime; }
  double GetAnimationDuration() const { return mAnimationDuration; }

  void SetTooltip(const char* tooltip) { mTooltip = tooltip ? tooltip : ""; }
  const char* GetTooltip() const { return mTooltip.c_str(); }
  void SetAcceptsMidi(bool accepts) { mWantsMidi = accepts; }
  bool GetWantsMidi() const { return mWantsMidi; }
  void SetWantsMultiTouch(bool wants) { mWantsMultiTouch = wants; }
  bool GetWantsMultiTouch() const { return mWantsMultiTouch; }
  void SetDoubleClickAsSingle(bool single) { mDblAsSingleClick = single; }
  bool GetDoubleClickAsSingle() const { return mDblAsSingleClick; }
  void SetPromptDisabled(bool disabled) { mPromptDisabled = disabled; }
  bool GetPromptDisabled() const { return mPromptDisabled; }
  void SetHoverWhenDisabled(bool hover) { mMouseOverWhenDisabled = hover; }
  bool GetMouseOverWhenDisabled() const { return mMouseOverWhenDisabled; }
  void SetMouseWhenDisabled(bool events) { mMouseEventsWhenDisabled = events; }
  bool GetMouseEventsWhenDisabled() const { return mMouseEventsWhenDisabled; }
  void SetMouseTransparent(bool transparent) { mIgnoreMouse = transparent; }
  bool GetMouseTransparent() const { return mIgnoreMouse; }
  void SetShowParamLabel(bool show) { mShowParamLabel = show; }
  bool GetShowParamLabel() const { return mShowParamLabel; }
  void SetGroup(const char* group) { mGroup = group ? group : ""; }
  const char* GetGroup() const { return mGroup.c_str(); }
  void SetTextEntryLength(int length) { mTextEntryLength = length; }
  int GetTextEntryLength() const { return mTextEntryLength; }
  void SetBlend(const IBlendMode& blend) { mBlend = blend; }
  const IBlendMode& GetBlend() const { return mBlend; }
  const IText& GetText() const { return mText; }
  void SetHighlighted(bool highlighted) { mHighlighted = highlighted; }
  void SetHighlightColor(const IColor& color) { mHighlightColor = color; }

  bool IsHidden() const { return mHide; }
  bool IsDisabled() const { return mDisabled; }
  bool GetMouseIsOver() const { return mMouseIsOver; }
  void ClearMouseOver() { mMouseIsOver = false; }
  int GetLastGesture() const { return mLastGesture; }
  void AttachGestureRecognizer(int gestureType, IGestureFunc func);

  void PromptForValue(int valIdx = 0);
  void PromptForValue(const IRECT& bounds, int valIdx = 0);

protected:
  // True when valIdx names a value that is bound and prompts are enabled.
  bool CanPrompt(int valIdx) const;
  // The normalised value of parameter p closest to real value v: stepped, clamped, 0..1.
  static double SnappedNormalized(const IParam& p, double v);
  // The parameter of value 0 when it is stepped with a positive step, else null.
  IParam* SteppedParam() const;
  // Moves a drag value by a pointer movement of delta over a span of the given length,
  // slowed by the gearing (ten times more with fine adjustment); the result stays in 0..1
  // and lands on a step of a stepped parameter. It becomes value 0, sent with its action.
  void DragValue0(double& dragValue, float delta, float span, double gearing, const IMouseMod& mod);
  // One wheel notch on value 0: a step of a stepped parameter, else 0.01 (0.001 fine).
  void WheelValue0(const IMouseMod& mod, float d);

  struct ParamTuple {
    int idx;
    double value;
  };

  IRECT mRECT;
  IRECT mTargetRECT;
  std::string mGroup;
  IText mText;
  IBlendMode mBlend;
  int mTextEntryLength = DEFAULT_TEXT_ENTRY_LEN;
  bool mDirty = true;
  bool mHide = false;
  bool mDisabled = false;
  bool mPromptDisabled = true;
  bool mDblAsSingleClick = false;
  bool mMouseOverWhenDisabled = false;
  bool mMouseEventsWhenDisabled = false;
  bool mIgnoreMouse = false;
  bool mWantsMidi = false;
  bool mWantsMultiTouch = false;
  bool mShowParamLabel = false;
  bool mMouseIsOver = false;
  std::string mTooltip;
  IColor mHighlightColor = COLOR_RED;
  bool mHighlighted = false;
  IGEditorDelegate* mDelegate = nullptr;
  IGraphics* mGraphics = nullptr;
  IActionFunction mActionFunc;
  IActionFunction mAnimationEndActionFunc;
  IAnimationFunction mAnimationFunc;
  double mAnimationStartTime = 0.;
  double mAnimationDuration = 0.;
  std::vector<ParamTuple> mVals;
  std::unordered_map<int, IGestureFunc> mGestureFuncs;
  int mLastGesture = 0;

private:
  bool ValidValIdx(int valIdx) const { return valIdx >= 0 && valIdx < ValueCount(); }
  void SendValue(int valIdx);
};
