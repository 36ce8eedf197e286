#pragma once

#include "EditorGLWindow.h"
#include "EditorRunLoop.h"
#include "IMouseMod.h"
#include "IRECT.h"
#include "IRECTList.h"
#include "X11Clipboard.h"
#include "X11Cursors.h"
#include "XEmbedClient.h"

#include <X11/Xlib.h>

#include <memory>
#include <vector>

class IGraphicsLinux;

// The editor's native view: an X11 child window inside the host's window, with the GL
// context the drawing backend draws with. It runs the display timer and turns X events into
// calls on the graphics context, in UI units. The name carries the plug-in's suffix, as
// every native class of this framework does.
class IGraphicsView_vKelvora_vst3 {
public:
  // Two presses of a button this close in time and place make a double click.
  static constexpr unsigned long kDoubleClickMs = 400;
  static constexpr int kDoubleClickDistancePx = 4;

  explicit IGraphicsView_vKelvora_vst3(IGraphicsLinux& graphics);
  ~IGraphicsView_vKelvora_vst3();
  IGraphicsView_vKelvora_vst3(const IGraphicsView_vKelvora_vst3&) = delete;
  IGraphicsView_vKelvora_vst3& operator=(const IGraphicsView_vKelvora_vst3&) = delete;

  // The window of widthPx by heightPx inside parent (unmapped), with its GL context.
  bool Create(unsigned long parent, int widthPx, int heightPx);

  EditorGLWindow& Surface() { return mSurface; }
  Display* GetDisplay() const { return mSurface.GetDisplay(); }
  Window GetWindow() const { return mSurface.GetWindow(); }

  // The display timer at the context's frame rate and the X connection, on loop.
  void SetTimer(EditorRunLoop* loop);
  void KillTimer();
  bool TimerRunning() const { return mTimerId != EditorRunLoop::kNoId; }
  // The loop the view runs on (null before SetTimer); popup menus run on it too.
  EditorRunLoop* RunLoop() const { return mRunLoop; }

  // One display tick: pending events, then the dirty regions drawn and presented.
  void OnTimer();
  void Render();
  // Handles every event X has for this window.
  void ProcessEvents();

  void SetMouseCursor(int kind);
  X11Clipboard& Clipboard() { return *mClipboard; }
  const XEmbedClient& XEmbed() const { return *mXEmbed; }

  // Tooltip regions in UI units; the text is the tooltip of the control under the mouse.
  void RegisterToolTip(const IRECT& bounds) { mToolTipRects.Add(bounds); }
  void RemoveAllToolTips() { mToolTipRects.Clear(); }
  int ToolTipCount() const { return mToolTipRects.Size(); }
  const char* StringForToolTip(float x, float y) const;

  // The X11 frame of an editor rectangle, in pixels.
  static void FrameOf(const IRECT& r, float pixelsPerUnit, int& x, int& y, int& w, int& h);

private:
  void HandleEvent(XEvent& event);
  void OnButtonPress(const XButtonEvent& e);
  void OnButtonRelease(const XButtonEvent& e);
  void OnMotion(const XMotionEvent& e);
  void OnKey(XKeyEvent& e, bool down);
  // A size the window got from outside; those of the editor's own earlier resizes pass.
  void OnConfigure(const XConfigureEvent& e);
  // Once the host has destroyed its window and ours with it, the editor stops its ticks and
  // touches the window no more (the host's removed() closes it); true then.
  bool StopIfLost();
  // Draws the dirty rectangles and shows them; false when the window turned out lost.
  bool Present();
  // Position of an event in UI units; updates the previous position as every platform does.
  void GetMouseXY(int px, int py, float& x, float& y);
  static IMouseMod ModifiersOf(unsigned int state, bool left);
  int ClickCount(const XButtonEvent& e);

  IGraphicsLinux& mGraphics;
  EditorGLWindow mSurface;
  std::unique_ptr<X11Cursors> mCursors;
  std::unique_ptr<X11Clipboard> mClipboard;
  std::unique_ptr<XEmbedClient> mXEmbed;
  EditorRunLoop* mRunLoop = nullptr;
  EditorRunLoop::Id mTimerId = EditorRunLoop::kNoId;
  EditorRunLoop::Id mFdId = EditorRunLoop::kNoId;
  int mSurfaceWidthPx = 0; // window size the GL drawable last had for a frame in full
  int mSurfaceHeightPx = 0;
  IRECTList mDirtyRects;
  IRECTList mToolTipRects;
  float mPrevX = 0.f;
  float mPrevY = 0.f;
  bool mMouseOutDuringDrag = false;
  unsigned int mLastClickButton = 0;
  unsigned long mLastClickTime = 0;
  int mLastClickX = 0;
  int mLastClickY = 0;
  int mClickCount = 0;
  // Cleared when the view goes, so that an event handler that closed the editor stops.
  std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
};
