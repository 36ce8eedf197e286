#include "IGraphicsWin.h"

#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsWinView_vKelvora_vst3.h"
#include "PlatformFontCache.h"
#include "Win32RunLoop.h"
#include "WinClipboard.h"
#include "WinDialogs.h"
#include "WinDpi.h"
#include "WinPopupMenu.h"
#include "WinTextEntry.h"

#include <windows.h>

#include <cmath>

IGraphicsWin::IGraphicsWin(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
    : IGraphicsNanoVG(dlg, w, h, fps, scale) {
  PlatformFontCache::Instance().Retain();
}

IGraphicsWin::~IGraphicsWin() {
  CloseEditorWindow();
  PlatformFontCache::Instance().Release();
}

void* IGraphicsWin::OpenEditorWindow(void* parent) {
  CloseEditorWindow();
  const auto* record = static_cast<const WinEditorParent*>(parent);
  HWND parentWindow = record ? record->window : nullptr;
  mFollowDpi = !record || !(record->screenScale > 0.f);
  // The window is made at its size in pixels for its scale at once, rather than grown after
  // its first frame.
  const float scale = mFollowDpi ? WinDpi::ScaleOf(parentWindow) : record->screenScale;
  if (scale != ScreenScale()) SetScreenScale(scale);
  if (!mRunLoop) mRunLoop = std::make_unique<Win32RunLoop>();
  auto view = std::make_unique<IGraphicsWinView_vKelvora_vst3>(*this);
  if (!view->Create(parentWindow, WindowWidthPx(), WindowHeightPx())) return nullptr;
  mView = std::move(view);
  {
    WinGLContext::Current current(mView->Context());
    CreateDrawContext();
    ResizeDrawSurface();
    GetDelegate()->BuildLayout(this);
    UpdateTooltips();
    GetDelegate()->EditorOpenedHook();
  }
  mView->Show();
  mView->SetTimer(mRunLoop.get());
  MarkAllDirty();
  return mView.get();
}

void IGraphicsWin::CloseEditorWindow() {
  if (!mView) return;
  mTextEntry.reset();
  {
    WinGLContext::Current current(mView->Context());
    mView->KillTimer();
    DestroyDrawContext();
  }
  mCurrent.reset();
  mCurrentDepth = 0;
  if (mCursorLocked || CursorIsHidden()) SetCursorHidden(false, false);
  mCursorLocked = false;
  mView.reset();
}

HWND IGraphicsWin::EditorWindow() const {
  return mView ? mView->GetWindow() : nullptr;
}

void IGraphicsWin::ResizeEditorView() {
  if (mView) mView->Resize(WindowWidthPx(), WindowHeightPx());
  UpdateTooltips();
}

void IGraphicsWin::ReadMouseLocation(float& x, float& y) const {
  POINT point{};
  if (!mView || !GetCursorPos(&point) || !ScreenToClient(mView->GetWindow(), &point)) return;
  x = static_cast<float>(point.x) / PixelsPerUnit();
  y = static_cast<float>(point.y) / PixelsPerUnit();
}

// The lock point is where the last mouse message had the pointer, not where the system's
// pointer is now: messages already queued describe the pointer as the editor saw it.
void IGraphicsWin::SetCursorHidden(bool hide, bool lock) {
  if (hide == CursorIsHidden()) return;
  IGraphics::SetCursorHidden(hide, lock);
  mCursorLocked = hide && lock;
  if (hide && mView) {
    POINT point{static_cast<LONG>(std::lround(mCursorLockX * PixelsPerUnit())),
                static_cast<LONG>(std::lround(mCursorLockY * PixelsPerUnit()))};
    ClientToScreen(mView->GetWindow(), &point);
    mLockScreenX = point.x;
    mLockScreenY = point.y;
  }
  if (mView) mView->UpdateCursor();
}

void IGraphicsWin::PutLockedCursorBack(float& x, float& y) {
  if (mView) SetCursorPos(static_cast<int>(mLockScreenX), static_cast<int>(mLockScreenY));
  x = mCursorLockX;
  y = mCursorLockY;
}

void IGraphicsWin::SetCursorPosition(float x, float y) {
  mCursorLockX = x;
  mCursorLockY = y;
}

int IGraphicsWin::ChangeCursorShape(int kind) {
  const int previous = IGraphics::ChangeCursorShape(kind);
  if (mView) mView->UpdateCursor();
  return previous;
}

void IGraphicsWin::ShowNativeTextEntry(int, const IText& text, const IRECT& bounds, int length,
                                       const char* str) {
  mTextEntry.reset();
  if (!mView) {
    ClearInTextEntryControl();
    return;
  }
  const float ppu = PixelsPerUnit();
  const int x = static_cast<int>(std::floor(bounds.L * ppu));
  const int y = static_cast<int>(std::floor(bounds.T * ppu));
  const int w = static_cast<int>(std::ceil(bounds.R * ppu)) - x;
  const int h = static_cast<int>(std::ceil(bounds.B * ppu)) - y;
  auto entry =
      std::make_unique<WinTextEntry>(mView->GetWindow(), x, y, w, h, str, length, text.mSize * ppu,
                                     [this](bool committed, const std::string& typed) {
                                       mTextEntry.reset();
                                       if (committed)
                                         FinishTextEntry(typed.c_str());
                                       else
                                         ClearInTextEntryControl();
                                       if (mView) SetFocus(mView->GetWindow());
                                     });
  if (!entry->IsValid()) {
    ClearInTextEntryControl();
    return;
  }
  mTextEntry = std::move(entry);
}

void IGraphicsWin::OnTextEntryEnd(bool committed, long long serial) {
  if (mTextEntry) mTextEntry->OnEndMessage(committed, serial);
}

// The system's menu runs a loop of its own until the user chooses: the choice comes back at
// once.
IPopupMenu* IGraphicsWin::ShowNativePopupMenu(IPopupMenu& menu, const IRECT& bounds,
                                              bool& isAsync) {
  isAsync = false;
  if (!mView) return nullptr;
  POINT point{static_cast<LONG>(std::lround(bounds.L * PixelsPerUnit())),
              static_cast<LONG>(std::lround(bounds.B * PixelsPerUnit()))};
  ClientToScreen(mView->GetWindow(), &point);
  const WinPopupMenu popup(menu);
  return popup.Track(mView->GetWindow(), point.x, point.y);
}

bool IGraphicsWin::ReadClipboardText(std::string& text) {
  text.clear();
  return mView && WinClipboard::Read(mView->GetWindow(), text);
}

bool IGraphicsWin::WriteClipboardText(const char* text) {
  return mView && WinClipboard::Write(mView->GetWindow(), text ? text : "");
}

void IGraphicsWin::SetTextEntryFocus(bool focus) {
  if (mView && focus) SetFocus(mView->GetWindow());
}

int IGraphicsWin::ShowMessagePanel(const char* title, const char* message, int kind,
                                   IMsgBoxCompletionHandlerFunc completion) {
  ReleaseCapture();
  const int result = WinDialogs::ShowMessage(EditorWindow(), title, message, kind);
  if (completion) completion(result);
  return result;
}

void IGraphicsWin::ChooseFile(std::string& fileName, std::string& folder, int action,
                              const char* extensions) {
  if (!mView) {
    fileName.clear();
    return;
  }
  WinDialogs::ChooseFile(mView->GetWindow(), fileName, folder, action, extensions);
}

void IGraphicsWin::ChooseDirectory(std::string& folder) {
  WinDialogs::ChooseDirectory(EditorWindow(), folder);
}

bool IGraphicsWin::AskForColor(const IColor& color, const char*,
                               IColorPickerHandlerFunc completion) {
  if (!mView) return false;
  IColor chosen = color;
  if (WinDialogs::AskForColor(mView->GetWindow(), chosen) && completion) completion(chosen);
  return true;
}

bool IGraphicsWin::OpenLinkOrPath(const char* text) {
  return WinDialogs::OpenLinkOrPath(text);
}

bool IGraphicsWin::RevealInFileBrowser(const char* path, bool select) {
  return WinDialogs::RevealInFileBrowser(path, select);
}

void IGraphicsWin::OnDpiChanged(float scale) {
  if (mFollowDpi && scale != ScreenScale()) SetScreenScale(scale);
}

void IGraphicsWin::MakeContextCurrent() {
  if (!mView) return;
  if (mCurrentDepth++ == 0) mCurrent = std::make_unique<WinGLContext::Current>(mView->Context());
}

void IGraphicsWin::ReleaseContextCurrent() {
  if (mCurrentDepth == 0) return;
  if (--mCurrentDepth == 0) mCurrent.reset();
}

void IGraphicsWin::ResizeDrawSurface() {
  if (!mView) {
    IGraphicsNanoVG::ResizeDrawSurface();
    return;
  }
  WinGLContext::Current current(mView->Context());
  IGraphicsNanoVG::ResizeDrawSurface();
}
