#include "IGraphicsView_vKelvora_vst3.h"

#include "IControl.h"
#include "IGraphicsLinux.h"
#include "NanoVGGL.h"
#include "X11ErrorTrap.h"
#include "X11KeyTable.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cmath>
#include <cstdlib>

namespace {

// X's pointer buttons: 4 and 5 scroll vertically, 6 and 7 horizontally.
constexpr unsigned int kLeftButton = Button1;
constexpr unsigned int kRightButton = Button3;
constexpr unsigned int kWheelUp = Button4;
constexpr unsigned int kWheelDown = Button5;
constexpr unsigned int kWheelLeft = 6;
constexpr unsigned int kWheelRight = 7;

} // namespace

IGraphicsView_vKelvora_vst3::IGraphicsView_vKelvora_vst3(IGraphicsLinux& graphics)
    : mGraphics(graphics) {}

IGraphicsView_vKelvora_vst3::~IGraphicsView_vKelvora_vst3() {
  *mAlive = false;
  KillTimer();
  // Cursors and clipboard belong to the connection that goes with the window.
  mCursors.reset();
  mClipboard.reset();
  mXEmbed.reset();
  mSurface.Destroy();
}

bool IGraphicsView_vKelvora_vst3::Create(unsigned long parent, int widthPx, int heightPx) {
  if (!mSurface.Create(parent, widthPx, heightPx)) return false;
  mSurfaceWidthPx = widthPx;
  mSurfaceHeightPx = heightPx;
  mCursors = std::make_unique<X11Cursors>(GetDisplay());
  mClipboard = std::make_unique<X11Clipboard>(GetDisplay(), GetWindow());
  mXEmbed = std::make_unique<XEmbedClient>(GetDisplay(), GetWindow());
  return true;
}

void IGraphicsView_vKelvora_vst3::SetTimer(EditorRunLoop* loop) {
  KillTimer();
  if (!loop) return;
  mRunLoop = loop;
  const int fps = mGraphics.FPS() > 0 ? mGraphics.FPS() : 60;
  mTimerId = loop->RegisterTimer(static_cast<uint32_t>(1000 / fps), [this] { OnTimer(); });
  mFdId = loop->RegisterFileDescriptor(mSurface.ConnectionFd(), [this] { ProcessEvents(); });
}

void IGraphicsView_vKelvora_vst3::KillTimer() {
  if (!mRunLoop) return;
  mRunLoop->Unregister(mTimerId);
  mRunLoop->Unregister(mFdId);
  mTimerId = mFdId = EditorRunLoop::kNoId;
  mRunLoop = nullptr;
}

// Xlib reads events into its queue during other requests too, where the descriptor no longer
// shows them: every tick looks at the queue as well.
void IGraphicsView_vKelvora_vst3::OnTimer() {
  std::shared_ptr<bool> alive = mAlive;
  ProcessEvents();
  if (*alive) Render();
}

void IGraphicsView_vKelvora_vst3::Render() {
  if (mSurface.IsLost()) return;
  mDirtyRects.Clear();
  if (!mGraphics.IsDirty(mDirtyRects)) return;
  mGraphics.MarkAllClean();
  EditorGLWindow::Current current(mSurface);
  if (StopIfLost()) return;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (!Present()) return;
  // Some GL drawables (Mesa's software one) take a new window size only at a swap, so the
  // frame after a resize may have landed in the old surface. The whole picture is drawn again
  // at once rather than on the next tick: a host that is busy, or that looks at the window
  // right after this tick, still sees all of the editor at its new size.
  const int widthPx = mGraphics.WindowWidthPx(), heightPx = mGraphics.WindowHeightPx();
  if (widthPx == mSurfaceWidthPx && heightPx == mSurfaceHeightPx) return;
  mSurfaceWidthPx = widthPx;
  mSurfaceHeightPx = heightPx;
  mDirtyRects.Clear();
  mDirtyRects.Add(IRECT(0.f, 0.f, static_cast<float>(mGraphics.Width()),
                        static_cast<float>(mGraphics.Height())));
  Present();
}

bool IGraphicsView_vKelvora_vst3::Present() {
  mGraphics.Draw(mDirtyRects);
  mSurface.SwapBuffers();
  return !StopIfLost();
}

void IGraphicsView_vKelvora_vst3::ProcessEvents() {
  Display* dpy = GetDisplay();
  if (!dpy) return;
  std::shared_ptr<bool> alive = mAlive;
  EditorGLWindow::Current current(mSurface);
  while (*alive && XPending(dpy)) {
    XEvent event;
    XNextEvent(dpy, &event);
    HandleEvent(event);
  }
  if (*alive) StopIfLost();
}

bool IGraphicsView_vKelvora_vst3::StopIfLost() {
  if (!mSurface.IsLost()) return false;
  KillTimer();
  return true;
}

void IGraphicsView_vKelvora_vst3::HandleEvent(XEvent& event) {
  if (mClipboard->HandleEvent(event) || mXEmbed->HandleEvent(event)) return;
  switch (event.type) {
  case DestroyNotify:
    if (event.xdestroywindow.window == GetWindow()) mSurface.MarkLost();
    break;
  case ConfigureNotify:
    if (event.xconfigure.window == GetWindow()) OnConfigure(event.xconfigure);
    break;
  case Expose:
    // The window's pixels are gone; the next tick draws everything again.
    if (event.xexpose.count == 0) mGraphics.MarkAllDirty();
    break;
  case ButtonPress:
    OnButtonPress(event.xbutton);
    break;
  case ButtonRelease:
    OnButtonRelease(event.xbutton);
    break;
  case MotionNotify:
    OnMotion(event.xmotion);
    break;
  case EnterNotify:
    mMouseOutDuringDrag = false;
    SetMouseCursor(mGraphics.GetCursorType());
    break;
  case LeaveNotify:
    if (mGraphics.ControlIsCaptured())
      mMouseOutDuringDrag = true;
    else
      mGraphics.OnMouseOut();
    break;
  case KeyPress:
    OnKey(event.xkey, true);
    break;
  case KeyRelease:
    OnKey(event.xkey, false);
    break;
  default:
    break;
  }
}

// An embedder (XEmbed's socket) sizes the window to its own without telling the plug-in:
// that is the host's size as much as one given through the plug-in's view.
void IGraphicsView_vKelvora_vst3::OnConfigure(const XConfigureEvent& e) {
  if (e.serial < mSurface.ResizeSerial()) return;
  if (e.width == mGraphics.WindowWidthPx() && e.height == mGraphics.WindowHeightPx()) return;
  mGraphics.FitToWindow(e.width, e.height);
}

void IGraphicsView_vKelvora_vst3::GetMouseXY(int px, int py, float& x, float& y) {
  const float ppu = mGraphics.PixelsPerUnit();
  x = static_cast<float>(px) / ppu;
  y = static_cast<float>(py) / ppu;
  if (mGraphics.CursorIsLocked() && !mGraphics.GetTabletInput()) {
    // The warp back reports itself as one more motion: only a pointer that left the lock
    // point is moved, or the two would feed each other.
    float lockX = 0.f, lockY = 0.f;
    mGraphics.GetCursorLockPosition(lockX, lockY);
    if (static_cast<int>(lockX * ppu) != px || static_cast<int>(lockY * ppu) != py)
      mGraphics.PutLockedCursorBack(mPrevX, mPrevY);
    else
      mGraphics.GetCursorLockPosition(mPrevX, mPrevY);
  } else {
    mPrevX = x;
    mPrevY = y;
    mGraphics.SetCursorPosition(x, y);
  }
  // X core events carry no tablet information.
  mGraphics.SetTabletInput(false);
}

IMouseMod IGraphicsView_vKelvora_vst3::ModifiersOf(unsigned int state, bool left) {
  IMouseMod mod;
  mod.L = left;
  // The Super key stands for the command key of other platforms: a Super-click counts as
  // both buttons.
  mod.R = !left || (state & Mod4Mask) != 0;
  mod.S = (state & ShiftMask) != 0;
  mod.C = (state & ControlMask) != 0;
  mod.A = (state & Mod1Mask) != 0;
  return mod;
}

int IGraphicsView_vKelvora_vst3::ClickCount(const XButtonEvent& e) {
  const bool repeat = mClickCount > 0 && e.button == mLastClickButton &&
                      e.time - mLastClickTime <= kDoubleClickMs &&
                      std::abs(e.x - mLastClickX) <= kDoubleClickDistancePx &&
                      std::abs(e.y - mLastClickY) <= kDoubleClickDistancePx;
  mClickCount = repeat ? mClickCount + 1 : 1;
  mLastClickButton = e.button;
  mLastClickTime = e.time;
  mLastClickX = e.x;
  mLastClickY = e.y;
  return mClickCount;
}

void IGraphicsView_vKelvora_vst3::OnButtonPress(const XButtonEvent& e) {
  if (e.button == kWheelUp || e.button == kWheelDown || e.button == kWheelLeft ||
      e.button == kWheelRight) {
    float x = 0.f, y = 0.f;
    GetMouseXY(e.x, e.y, x, y);
    const float delta = e.button == kWheelUp ? 1.f : e.button == kWheelDown ? -1.f : 0.f;
    mGraphics.OnMouseWheel(x, y, ModifiersOf(e.state, true), delta);
    return;
  }
  if (e.button != kLeftButton && e.button != kRightButton) return;

  // Some hosts forward no keys to embedded windows: a click takes the keyboard focus, and
  // tells an XEmbed embedder so that its idea of the focus follows.
  {
    X11ErrorTrap trap(GetDisplay());
    XSetInputFocus(GetDisplay(), GetWindow(), RevertToParent, e.time);
  }
  mXEmbed->RequestFocus(e.time);
  IMouseInfo info;
  GetMouseXY(e.x, e.y, info.x, info.y);
  info.ms = ModifiersOf(e.state, e.button == kLeftButton);
  if (ClickCount(e) % 2 == 1)
    mGraphics.OnMouseDown({info});
  else
    mGraphics.OnMouseDblClick(info.x, info.y, info.ms);
}

void IGraphicsView_vKelvora_vst3::OnButtonRelease(const XButtonEvent& e) {
  if (e.button != kLeftButton && e.button != kRightButton) return;
  IMouseInfo info;
  GetMouseXY(e.x, e.y, info.x, info.y);
  info.ms = ModifiersOf(e.state, e.button == kLeftButton);
  mGraphics.OnMouseUp({info});
  if (e.button == kLeftButton && mMouseOutDuringDrag) {
    mGraphics.OnMouseOut();
    mMouseOutDuringDrag = false;
  }
}

void IGraphicsView_vKelvora_vst3::OnMotion(const XMotionEvent& e) {
  const bool left = (e.state & Button1Mask) != 0;
  const bool right = (e.state & Button3Mask) != 0;
  if (!left && !right) {
    float x = 0.f, y = 0.f;
    GetMouseXY(e.x, e.y, x, y);
    mGraphics.OnMouseOver(x, y, ModifiersOf(e.state, true));
    return;
  }
  // A drag goes nowhere while a text field of the platform has the keyboard.
  if (mGraphics.GetControlInTextEntry() && !mGraphics.GetTextEntryControl()) return;
  const float prevX = mPrevX;
  const float prevY = mPrevY;
  IMouseInfo info;
  GetMouseXY(e.x, e.y, info.x, info.y);
  info.dX = info.x - prevX;
  info.dY = info.y - prevY;
  info.ms = ModifiersOf(e.state, left);
  mGraphics.OnMouseDrag({info});
}

void IGraphicsView_vKelvora_vst3::OnKey(XKeyEvent& e, bool down) {
  char text[8];
  KeySym keysym = NoSymbol;
  XLookupString(&e, text, sizeof(text), &keysym, nullptr);
  const KeySym keypadSym = IsKeypadKey(keysym) ? XLookupKeysym(&e, 1) : NoSymbol;
  int flags = 0;
  const int key = X11Keys::Translate(keysym, keypadSym, e.keycode, e.state, flags);
  const IKeyPress press = X11Keys::MakeKeyPress(key, flags, X11Keys::KeySymCharacter(keysym));
  const bool handled =
      down ? mGraphics.OnKeyDown(mPrevX, mPrevY, press) : mGraphics.OnKeyUp(mPrevX, mPrevY, press);
  // A key that was sent to us came from the host, which has seen it: sending it back would
  // bounce it between an embedder that forwards keys and us for ever.
  if (handled || e.send_event || !mSurface.GetParent() || mSurface.IsLost()) return;
  // Keys the editor does not use belong to the host, whose window holds ours.
  X11ErrorTrap trap(GetDisplay());
  XKeyEvent forwarded = e;
  forwarded.window = mXEmbed->IsEmbedded() ? mXEmbed->Embedder() : mSurface.GetParent();
  forwarded.subwindow = GetWindow();
  XSendEvent(GetDisplay(), forwarded.window, True, down ? KeyPressMask : KeyReleaseMask,
             reinterpret_cast<XEvent*>(&forwarded));
}

void IGraphicsView_vKelvora_vst3::SetMouseCursor(int kind) {
  if (!mCursors) return;
  X11ErrorTrap trap(GetDisplay());
  XDefineCursor(GetDisplay(), GetWindow(), mCursors->Get(kind));
  XFlush(GetDisplay());
}

const char* IGraphicsView_vKelvora_vst3::StringForToolTip(float x, float y) const {
  const int idx = mGraphics.ControlIndexUnderPointer(x, y, true);
  if (idx < 0) return "";
  IControl* c = mGraphics.ControlAt(idx);
  return c ? c->GetTooltip() : "";
}

void IGraphicsView_vKelvora_vst3::FrameOf(const IRECT& r, float pixelsPerUnit, int& x, int& y,
                                          int& w, int& h) {
  x = static_cast<int>(std::floor(r.L * pixelsPerUnit));
  y = static_cast<int>(std::floor(r.T * pixelsPerUnit));
  w = static_cast<int>(std::ceil(r.R * pixelsPerUnit)) - x;
  h = static_cast<int>(std::ceil(r.B * pixelsPerUnit)) - y;
}
