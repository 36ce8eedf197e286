#pragma once

#include "EditorRunLoop.h"
#include "IMouseMod.h"
#include "IRECTList.h"
#include "WinGLContext.h"
#include "WinHandles.h"

#include <memory>

class IGraphicsWin;

// The editor's native view on Windows: a child window inside the host's window, with the GL
// context the drawing backend draws with. It runs the display timer and turns window
// messages into calls on the graphics context, in UI units. Its window class carries the
// plug-in's suffix, as every native class of this framework does, so that two plug-ins on
// the framework never meet in one class.
class IGraphicsWinView_vKelvora_vst3 {
public:
  static constexpr const wchar_t* kClassName = L"IGraphicsWinView_vKelvora_vst3";

  explicit IGraphicsWinView_vKelvora_vst3(IGraphicsWin& graphics);
  ~IGraphicsWinView_vKelvora_vst3();
  IGraphicsWinView_vKelvora_vst3(const IGraphicsWinView_vKelvora_vst3&) = delete;
  IGraphicsWinView_vKelvora_vst3& operator=(const IGraphicsWinView_vKelvora_vst3&) = delete;

  // The window of widthPx by heightPx inside parent (a top-level window of its own for null),
  // hidden, with its GL context. False, with nothing left behind, when a step fails.
  bool Create(HWND__* parent, int widthPx, int heightPx);
  HWND__* GetWindow() const { return mWindow; }
  WinGLContext& Context() { return mContext; }
  // Once the host destroyed its window, and ours with it, before closing the editor.
  bool IsLost() const { return mLost; }

  void Show();
  void Resize(int widthPx, int heightPx);

  // The display timer at the context's frame rate, on loop.
  void SetTimer(EditorRunLoop* loop);
  void KillTimer();
  bool TimerRunning() const { return mTimerId != EditorRunLoop::kNoId; }

  // One display tick: the dirty regions drawn and presented.
  void OnTimer();
  void Render();

  // Shows the cursor of a kind, or none while the graphics context hides it.
  void UpdateCursor();
  // Where the last mouse message put the pointer, in UI units.
  void LastMousePosition(float& x, float& y) const {
    x = mPrevX;
    y = mPrevY;
  }

private:
  friend struct IGraphicsWinViewProc;
  long long HandleMessage(unsigned message, unsigned long long wParam, long long lParam);
  void OnButtonDown(int px, int py, unsigned long long keys, bool left, bool doubleClick);
  void OnButtonUp(int px, int py, unsigned long long keys, bool left);
  void OnMouseMove(int px, int py, unsigned long long keys);
  void OnMouseLeave();
  void OnWheel(int screenX, int screenY, unsigned long long keys, float delta);
  bool OnKey(unsigned long long virtualKey, long long lParam, bool down);
  // A size the window got from outside; the editor's own resizes pass.
  void OnSize(int widthPx, int heightPx);
  void OnDestroyed();
  bool Present();
  // Position of a message in UI units; updates the previous position as every platform does.
  void GetMouseXY(int px, int py, float& x, float& y);
  static IMouseMod ModifiersOf(unsigned long long keys, bool left);

  IGraphicsWin& mGraphics;
  HWND__* mWindow = nullptr;
  WinGLContext mContext;
  EditorRunLoop* mRunLoop = nullptr;
  EditorRunLoop::Id mTimerId = EditorRunLoop::kNoId;
  int mSurfaceWidthPx = 0; // window size the GL drawable last had for a frame in full
  int mSurfaceHeightPx = 0;
  IRECTList mDirtyRects;
  float mPrevX = 0.f;
  float mPrevY = 0.f;
  bool mLost = false;
  bool mOwnResize = false;
  bool mTrackingLeave = false;
  bool mMouseOutDuringDrag = false;
  // Cleared when the view goes, so that a message handler that closed the editor stops.
  std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
};
