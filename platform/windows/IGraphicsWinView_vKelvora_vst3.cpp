#include "IGraphicsWinView_vKelvora_vst3.h"

#include "IGraphicsWin.h"
#include "NanoVGGL.h"
#include "WinCursors.h"
#include "WinDpi.h"
#include "WinKeyTable.h"
#include "WinModule.h"
#include "WinTextEntry.h"

#include <windowsx.h>

namespace {

// Sent to child windows once their top-level window moved to a monitor of another density.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

bool KeyHeld(int virtualKey) {
  return (GetKeyState(virtualKey) & 0x8000) != 0;
}

// What a key types with Shift, Caps Lock and the layout applied, Control and Alt left out so
// that Control-A still names "a"; 0 when it types nothing or starts a dead-key sequence.
char32_t CharacterOf(UINT virtualKey, UINT scanCode) {
  BYTE state[256] = {};
  if (!GetKeyboardState(state)) return 0;
  for (int key : {VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU, VK_RMENU})
    state[key] = 0;
  wchar_t units[4] = {};
  // Flag 4 leaves the keyboard's dead-key state alone, so the host's own typing is unchanged.
  const int count = ToUnicode(virtualKey, scanCode, state, units, 4, 4);
  if (count == 1) return units[0];
  if (count == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 &&
      units[1] <= 0xDFFF)
    return 0x10000 + ((static_cast<char32_t>(units[0]) - 0xD800) << 10) +
           (static_cast<char32_t>(units[1]) - 0xDC00);
  return 0;
}

} // namespace

struct IGraphicsWinViewProc {
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* view =
        reinterpret_cast<IGraphicsWinView_vKelvora_vst3*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view || !view->mWindow) return DefWindowProcW(window, message, wParam, lParam);
    return view->HandleMessage(message, wParam, lParam);
  }
};

IGraphicsWinView_vKelvora_vst3::IGraphicsWinView_vKelvora_vst3(IGraphicsWin& graphics)
    : mGraphics(graphics) {}

IGraphicsWinView_vKelvora_vst3::~IGraphicsWinView_vKelvora_vst3() {
  *mAlive = false;
  KillTimer();
  mContext.Destroy();
  if (mWindow && !mLost) {
    SetWindowLongPtrW(mWindow, GWLP_USERDATA, 0);
    DestroyWindow(mWindow);
  }
}

bool IGraphicsWinView_vKelvora_vst3::Create(HWND parent, int widthPx, int heightPx) {
  // CS_OWNDC: the GL context keeps the window's device context for the window's life.
  static const WinModule::WindowClass windowClass(kClassName, &IGraphicsWinViewProc::Proc,
                                                  CS_OWNDC | CS_DBLCLKS);
  if (!windowClass.IsRegistered()) return false;
  const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  HWND window =
      CreateWindowExW(0, kClassName, L"", style, 0, 0, widthPx > 0 ? widthPx : 1,
                      heightPx > 0 ? heightPx : 1, parent, nullptr, WinModule::Instance(), this);
  if (!window) return false;
  mWindow = window;
  if (!mContext.Create(window)) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    mWindow = nullptr;
    return false;
  }
  mSurfaceWidthPx = widthPx;
  mSurfaceHeightPx = heightPx;
  return true;
}

void IGraphicsWinView_vKelvora_vst3::Show() {
  if (mWindow && !mLost) ShowWindow(mWindow, SW_SHOWNA);
}

void IGraphicsWinView_vKelvora_vst3::Resize(int widthPx, int heightPx) {
  if (!mWindow || mLost || widthPx <= 0 || heightPx <= 0) return;
  mOwnResize = true;
  SetWindowPos(mWindow, nullptr, 0, 0, widthPx, heightPx,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  mOwnResize = false;
}

void IGraphicsWinView_vKelvora_vst3::SetTimer(EditorRunLoop* loop) {
  KillTimer();
  if (!loop) return;
  mRunLoop = loop;
  const int fps = mGraphics.FPS() > 0 ? mGraphics.FPS() : 60;
  mTimerId = loop->RegisterTimer(static_cast<uint32_t>(1000 / fps), [this] { OnTimer(); });
}

void IGraphicsWinView_vKelvora_vst3::KillTimer() {
  if (!mRunLoop) return;
  mRunLoop->Unregister(mTimerId);
  mTimerId = EditorRunLoop::kNoId;
  mRunLoop = nullptr;
}

void IGraphicsWinView_vKelvora_vst3::OnTimer() {
  Render();
}

void IGraphicsWinView_vKelvora_vst3::Render() {
  if (mLost || !mContext.IsValid()) return;
  mDirtyRects.Clear();
  if (!mGraphics.IsDirty(mDirtyRects)) return;
  mGraphics.MarkAllClean();
  WinGLContext::Current current(mContext);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (!Present()) return;
  // Wine's GL drawables, on Mesa's software renderer, take a new window size only at a swap:
  // the frame after a resize may have landed in the old surface, and the whole picture is
  // drawn again at once, as on Linux.
  const int widthPx = mGraphics.WindowWidthPx(), heightPx = mGraphics.WindowHeightPx();
  if (widthPx == mSurfaceWidthPx && heightPx == mSurfaceHeightPx) return;
  mSurfaceWidthPx = widthPx;
  mSurfaceHeightPx = heightPx;
  mDirtyRects.Clear();
  mDirtyRects.Add(IRECT(0.f, 0.f, static_cast<float>(mGraphics.Width()),
                        static_cast<float>(mGraphics.Height())));
  Present();
}

bool IGraphicsWinView_vKelvora_vst3::Present() {
  std::shared_ptr<bool> alive = mAlive;
  mGraphics.Draw(mDirtyRects);
  if (!*alive || mLost) return false;
  mContext.SwapBuffers();
  return true;
}

void IGraphicsWinView_vKelvora_vst3::UpdateCursor() {
  if (mGraphics.CursorIsHidden()) {
    SetCursor(nullptr);
    return;
  }
  const unsigned resource = WinCursors::ResourceOf(mGraphics.GetCursorType());
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(resource)));
}

void IGraphicsWinView_vKelvora_vst3::GetMouseXY(int px, int py, float& x, float& y) {
  const float ppu = mGraphics.PixelsPerUnit();
  x = static_cast<float>(px) / ppu;
  y = static_cast<float>(py) / ppu;
  if (mGraphics.CursorIsLocked() && !mGraphics.GetTabletInput()) {
    // Putting the pointer back reports itself as one more move: only a pointer that left the
    // lock point is moved, or the two would feed each other.
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
  mGraphics.SetTabletInput(false);
}

IMouseMod IGraphicsWinView_vKelvora_vst3::ModifiersOf(unsigned long long keys, bool left) {
  IMouseMod mod;
  mod.L = left;
  mod.R = !left;
  mod.S = (keys & MK_SHIFT) != 0;
  mod.C = (keys & MK_CONTROL) != 0;
  mod.A = KeyHeld(VK_MENU);
  return mod;
}

void IGraphicsWinView_vKelvora_vst3::OnButtonDown(int px, int py, unsigned long long keys,
                                                  bool left, bool doubleClick) {
  // Hosts pass keys on to the window that has the focus: a click takes it, as on every
  // platform, so that the editor sees the keys meant for it.
  if (GetFocus() != mWindow) SetFocus(mWindow);
  SetCapture(mWindow);
  IMouseInfo info;
  GetMouseXY(px, py, info.x, info.y);
  info.ms = ModifiersOf(keys, left);
  if (doubleClick)
    mGraphics.OnMouseDblClick(info.x, info.y, info.ms);
  else
    mGraphics.OnMouseDown({info});
}

void IGraphicsWinView_vKelvora_vst3::OnButtonUp(int px, int py, unsigned long long keys,
                                                bool left) {
  if (!(keys & (MK_LBUTTON | MK_RBUTTON)) && GetCapture() == mWindow) ReleaseCapture();
  IMouseInfo info;
  GetMouseXY(px, py, info.x, info.y);
  info.ms = ModifiersOf(keys, left);
  mGraphics.OnMouseUp({info});
  if (left && mMouseOutDuringDrag) {
    mGraphics.OnMouseOut();
    mMouseOutDuringDrag = false;
  }
}

void IGraphicsWinView_vKelvora_vst3::OnMouseMove(int px, int py, unsigned long long keys) {
  if (!mTrackingLeave) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = mWindow;
    mTrackingLeave = TrackMouseEvent(&track) != FALSE;
    mMouseOutDuringDrag = false;
  }
  const bool left = (keys & MK_LBUTTON) != 0;
  const bool right = (keys & MK_RBUTTON) != 0;
  if (!left && !right) {
    float x = 0.f, y = 0.f;
    GetMouseXY(px, py, x, y);
    mGraphics.OnMouseOver(x, y, ModifiersOf(keys, true));
    return;
  }
  // A drag goes nowhere while a text field of the system has the keyboard.
  if (mGraphics.GetControlInTextEntry() && !mGraphics.GetTextEntryControl()) return;
  const float prevX = mPrevX;
  const float prevY = mPrevY;
  IMouseInfo info;
  GetMouseXY(px, py, info.x, info.y);
  info.dX = info.x - prevX;
  info.dY = info.y - prevY;
  info.ms = ModifiersOf(keys, left);
  mGraphics.OnMouseDrag({info});
}

void IGraphicsWinView_vKelvora_vst3::OnMouseLeave() {
  mTrackingLeave = false;
  if (mGraphics.ControlIsCaptured())
    mMouseOutDuringDrag = true;
  else
    mGraphics.OnMouseOut();
}

void IGraphicsWinView_vKelvora_vst3::OnWheel(int screenX, int screenY, unsigned long long keys,
                                             float delta) {
  POINT point{screenX, screenY};
  ScreenToClient(mWindow, &point);
  float x = 0.f, y = 0.f;
  GetMouseXY(point.x, point.y, x, y);
  mGraphics.OnMouseWheel(x, y, ModifiersOf(keys, true), delta);
}

bool IGraphicsWinView_vKelvora_vst3::OnKey(unsigned long long virtualKey, long long lParam,
                                           bool down) {
  WinKeys::KeyMessage message;
  message.virtualKey = static_cast<unsigned>(virtualKey);
  message.extended = (lParam & (1LL << 24)) != 0;
  message.shift = KeyHeld(VK_SHIFT);
  message.control = KeyHeld(VK_CONTROL);
  message.alt = KeyHeld(VK_MENU);
  const UINT scanCode = static_cast<UINT>((lParam >> 16) & 0xFF);
  message.character = CharacterOf(message.virtualKey, scanCode);
  const IKeyPress press = WinKeys::Translate(message);
  return down ? mGraphics.OnKeyDown(mPrevX, mPrevY, press)
              : mGraphics.OnKeyUp(mPrevX, mPrevY, press);
}

// A host sizes the window it embeds without asking the plug-in's view at times: that is the
// host's size as much as one given through the view.
void IGraphicsWinView_vKelvora_vst3::OnSize(int widthPx, int heightPx) {
  if (mOwnResize || widthPx <= 0 || heightPx <= 0) return;
  if (widthPx == mGraphics.WindowWidthPx() && heightPx == mGraphics.WindowHeightPx()) return;
  mGraphics.FitToWindow(widthPx, heightPx);
}

void IGraphicsWinView_vKelvora_vst3::OnDestroyed() {
  mLost = true;
  KillTimer();
  SetWindowLongPtrW(mWindow, GWLP_USERDATA, 0);
}

LRESULT IGraphicsWinView_vKelvora_vst3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
  case WM_PAINT: {
    // The window's pixels are gone; the next tick draws everything again.
    PAINTSTRUCT paint;
    BeginPaint(mWindow, &paint);
    EndPaint(mWindow, &paint);
    mGraphics.MarkAllDirty();
    return 0;
  }
  case WM_ERASEBKGND:
    return 1;
  case WM_SIZE:
    OnSize(LOWORD(lParam), HIWORD(lParam));
    return 0;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
    OnButtonDown(x, y, wParam, message == WM_LBUTTONDOWN, false);
    return 0;
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
    OnButtonDown(x, y, wParam, message == WM_LBUTTONDBLCLK, true);
    return 0;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
    OnButtonUp(x, y, wParam, message == WM_LBUTTONUP);
    return 0;
  case WM_MOUSEMOVE:
    OnMouseMove(x, y, wParam);
    return 0;
  case WM_MOUSELEAVE:
    OnMouseLeave();
    return 0;
  case WM_MOUSEWHEEL:
    OnWheel(x, y, GET_KEYSTATE_WPARAM(wParam),
            static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA);
    return 0;
  case WM_SETCURSOR:
    if (LOWORD(lParam) != HTCLIENT) break;
    UpdateCursor();
    return TRUE;
  case WM_GETDLGCODE:
    // Dialog-based hosts keep arrows, Tab and Return for their own controls otherwise.
    return DLGC_WANTALLKEYS;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
  case WM_KEYUP:
  case WM_SYSKEYUP: {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    std::shared_ptr<bool> alive = mAlive;
    if (OnKey(wParam, lParam, down) || !*alive) return 0;
    // Keys the editor does not use belong to the host, whose window holds ours.
    if (HWND parent = GetParent(mWindow)) return SendMessageW(parent, message, wParam, lParam);
    break;
  }
  case WM_CHAR:
    // The key messages carried the text already.
    return 0;
  case kDpiChangedAfterParent:
    mGraphics.OnDpiChanged(WinDpi::ScaleOf(mWindow));
    return 0;
  case WM_DESTROY:
    OnDestroyed();
    return 0;
  default:
    if (message == WinTextEntry::EndMessage()) {
      mGraphics.OnTextEntryEnd(wParam != 0, static_cast<long long>(lParam));
      return 0;
    }
    break;
  }
  return DefWindowProcW(mWindow, message, wParam, lParam);
}
