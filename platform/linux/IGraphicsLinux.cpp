#include "IGraphicsLinux.h"

#include "DesktopDialogs.h"
#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsView_vKelvora_vst3.h"
#include "PlatformFontCache.h"
#include "X11ErrorTrap.h"

#include <X11/extensions/Xfixes.h>

IGraphicsLinux::IGraphicsLinux(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
    : IGraphicsNanoVG(dlg, w, h, fps, scale) {
  PlatformFontCache::Instance().Retain();
}

IGraphicsLinux::~IGraphicsLinux() {
  CloseEditorWindow();
  PlatformFontCache::Instance().Release();
}

void* IGraphicsLinux::OpenEditorWindow(void* parent) {
  CloseEditorWindow();
  const auto* record = static_cast<const LinuxEditorParent*>(parent);
  // The window is made at its size in pixels for the host's scale at once: a GL drawable
  // may keep its earlier size until a buffer swap, so a window grown right after it was made
  // would show its first frame in the old, smaller corner.
  if (record && record->screenScale > 0.f) SetScreenScale(record->screenScale);
  auto view = std::make_unique<IGraphicsView_vKelvora_vst3>(*this);
  if (!view->Create(record ? record->window : 0, WindowWidthPx(), WindowHeightPx())) return nullptr;
  mView = std::move(view);
  {
    EditorGLWindow::Current current(mView->Surface());
    CreateDrawContext();
    ResizeDrawSurface();
    GetDelegate()->BuildLayout(this);
    UpdateTooltips();
    GetDelegate()->EditorOpenedHook();
  }
  mView->Surface().Map();
  mView->SetTimer(record ? record->runLoop : nullptr);
  MarkAllDirty();
  return mView.get();
}

void IGraphicsLinux::CloseEditorWindow() {
  if (!mView) return;
  mMenu.reset(); // its windows and run-loop entries go before the editor's
  {
    EditorGLWindow::Current current(mView->Surface());
    mView->RemoveAllToolTips();
    mView->KillTimer();
    DestroyDrawContext();
  }
  mCurrent.reset();
  mCurrentDepth = 0;
  mCursorLocked = false;
  mView.reset();
}

void IGraphicsLinux::ResizeEditorView() {
  if (mView) {
    mView->Surface().Resize(WindowWidthPx(), WindowHeightPx());
    XFlush(mView->GetDisplay());
  }
  UpdateTooltips();
}

void IGraphicsLinux::AttachChildView(const IRECT& bounds, unsigned long childWindow) {
  if (!mView || !childWindow) return;
  int x = 0, y = 0, w = 0, h = 0;
  IGraphicsView_vKelvora_vst3::FrameOf(bounds, PixelsPerUnit(), x, y, w, h);
  X11ErrorTrap trap(mView->GetDisplay());
  XReparentWindow(mView->GetDisplay(), childWindow, mView->GetWindow(), x, y);
  if (w > 0 && h > 0)
    XResizeWindow(mView->GetDisplay(), childWindow, static_cast<unsigned>(w),
                  static_cast<unsigned>(h));
  XMapWindow(mView->GetDisplay(), childWindow);
}

void IGraphicsLinux::DetachChildView(unsigned long childWindow) {
  if (!mView || !childWindow) return;
  Display* dpy = mView->GetDisplay();
  X11ErrorTrap trap(dpy);
  XUnmapWindow(dpy, childWindow);
  XReparentWindow(dpy, childWindow, DefaultRootWindow(dpy), 0, 0);
}

void IGraphicsLinux::ReadMouseLocation(float& x, float& y) const {
  if (!mView) return;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned int mask = 0;
  X11ErrorTrap trap(mView->GetDisplay());
  if (!XQueryPointer(mView->GetDisplay(), mView->GetWindow(), &root, &child, &rootX, &rootY, &winX,
                     &winY, &mask))
    return;
  x = static_cast<float>(winX) / PixelsPerUnit();
  y = static_cast<float>(winY) / PixelsPerUnit();
}

void IGraphicsLinux::ReadStoredCursorPosition() {
  Window root = 0, child = 0;
  int winX = 0, winY = 0;
  unsigned int mask = 0;
  X11ErrorTrap trap(mView->GetDisplay());
  if (XQueryPointer(mView->GetDisplay(), mView->GetWindow(), &root, &child, &mStoredCursorX,
                    &mStoredCursorY, &winX, &winY, &mask)) {
    mCursorLockX = static_cast<float>(winX) / PixelsPerUnit();
    mCursorLockY = static_cast<float>(winY) / PixelsPerUnit();
  }
}

void IGraphicsLinux::SetCursorHidden(bool hide, bool lock) {
  if (hide == CursorIsHidden()) return;
  IGraphics::SetCursorHidden(hide, lock);
  if (hide) {
    if (mView) {
      ReadStoredCursorPosition();
      X11ErrorTrap trap(mView->GetDisplay());
      XFixesHideCursor(mView->GetDisplay(), mView->GetWindow());
    }
    mCursorLocked = lock;
  } else {
    if (mView) {
      X11ErrorTrap trap(mView->GetDisplay());
      XFixesShowCursor(mView->GetDisplay(), mView->GetWindow());
    }
    mCursorLocked = false;
  }
  if (mView) XFlush(mView->GetDisplay());
}

void IGraphicsLinux::WarpCursor(float x, float y) {
  if (GetTabletInput() || !mView) return;
  {
    X11ErrorTrap trap(mView->GetDisplay());
    XWarpPointer(mView->GetDisplay(), None, mView->GetWindow(), 0, 0, 0, 0,
                 static_cast<int>(x * PixelsPerUnit()), static_cast<int>(y * PixelsPerUnit()));
  }
  ReadStoredCursorPosition();
}

void IGraphicsLinux::PutLockedCursorBack(float& x, float& y) {
  if (mView) {
    Display* dpy = mView->GetDisplay();
    X11ErrorTrap trap(dpy);
    XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, mStoredCursorX, mStoredCursorY);
  }
  x = mCursorLockX;
  y = mCursorLockY;
}

void IGraphicsLinux::SetCursorPosition(float x, float y) {
  mCursorLockX = x;
  mCursorLockY = y;
}

int IGraphicsLinux::ChangeCursorShape(int kind) {
  if (mView) mView->SetMouseCursor(kind);
  return IGraphics::ChangeCursorShape(kind);
}

// Typing happens in the in-editor text field; a context without one has no text entry to
// offer, and the control leaves text entry at once rather than wait for text that never comes.
void IGraphicsLinux::ShowNativeTextEntry(int, const IText&, const IRECT&, int, const char*) {
  if (mView) ClearInTextEntryControl();
}

// X11 has no menus of its own: the menu is a window of ours, driven by the editor's run loop,
// and completes later through FinishPopupMenu.
IPopupMenu* IGraphicsLinux::ShowNativePopupMenu(IPopupMenu& menu, const IRECT& bounds,
                                                bool& isAsync) {
  mMenu.reset();
  EditorRunLoop* loop = mView ? mView->RunLoop() : nullptr;
  if (loop) mMenu = X11PopupMenu::ShowFor(*this, menu, bounds, *loop);
  isAsync = mMenu != nullptr;
  return nullptr;
}

// Typing needs the keyboard on our window while a text entry is open; the window that had it
// before gets it back afterwards, so the host's own shortcuts work again.
void IGraphicsLinux::SetTextEntryFocus(bool focus) {
  if (!mView) return;
  Display* display = mView->GetDisplay();
  // Our window, or the one that had the keyboard, may have been destroyed by the host.
  X11ErrorTrap trap(display);
  if (focus) {
    Window previous = 0;
    int revert = 0;
    XGetInputFocus(display, &previous, &revert);
    if (previous != mView->GetWindow()) mFocusBeforeTextEntry = previous;
    XSetInputFocus(display, mView->GetWindow(), RevertToParent, CurrentTime);
  } else if (mFocusBeforeTextEntry > PointerRoot) {
    XSetInputFocus(display, mFocusBeforeTextEntry, RevertToParent, CurrentTime);
    mFocusBeforeTextEntry = 0;
  }
  XFlush(display);
}

bool IGraphicsLinux::ReadClipboardText(std::string& text) {
  text.clear();
  return mView && mView->Clipboard().Read(text);
}

bool IGraphicsLinux::WriteClipboardText(const char* text) {
  return mView && mView->Clipboard().Write(text ? text : "");
}

void IGraphicsLinux::UpdateTooltips() {
  if (!mView || !GetTooltipsEnabled()) return;
  mView->RemoveAllToolTips();
  if (GetPopupMenuControl() && GetControlInPopup()) return;
  VisitAllControls([this](IControl& c) {
    const IRECT& r = c.GetTargetRECT();
    if (c.IsHidden() || (r.L == 0.f && r.T == 0.f && r.R == 0.f && r.B == 0.f)) return;
    mView->RegisterToolTip(r);
  });
}

int IGraphicsLinux::ShowMessagePanel(const char* title, const char* message, int kind,
                                     IMsgBoxCompletionHandlerFunc completion) {
  ReleaseCapture();
  const int result = DesktopDialogs::ShowMessage(title, message, kind);
  if (completion) completion(result);
  return result;
}

void IGraphicsLinux::ChooseFile(std::string& fileName, std::string& folder, int action,
                                const char* extensions) {
  if (!mView) {
    fileName.clear();
    return;
  }
  DesktopDialogs::ChooseFile(fileName, folder, action, extensions);
}

void IGraphicsLinux::ChooseDirectory(std::string& folder) {
  DesktopDialogs::ChooseDirectory(folder);
}

bool IGraphicsLinux::AskForColor(const IColor& color, const char* prompt,
                                 IColorPickerHandlerFunc completion) {
  if (!mView) return false;
  IColor chosen = color;
  bool picked = false;
  const bool hasPanel = DesktopDialogs::AskForColor(chosen, prompt, picked);
  if (picked && completion) completion(chosen);
  return hasPanel;
}

bool IGraphicsLinux::OpenLinkOrPath(const char* text) {
  return DesktopDialogs::OpenLinkOrPath(text);
}

bool IGraphicsLinux::RevealInFileBrowser(const char* path, bool select) {
  return DesktopDialogs::RevealInFileBrowser(path, select);
}

void IGraphicsLinux::MakeContextCurrent() {
  if (!mView) return;
  if (mCurrentDepth++ == 0) mCurrent = std::make_unique<EditorGLWindow::Current>(mView->Surface());
}

void IGraphicsLinux::ReleaseContextCurrent() {
  if (mCurrentDepth == 0) return;
  if (--mCurrentDepth == 0) mCurrent.reset();
}

void IGraphicsLinux::ResizeDrawSurface() {
  if (!mView) {
    IGraphicsNanoVG::ResizeDrawSurface();
    return;
  }
  EditorGLWindow::Current current(mView->Surface());
  IGraphicsNanoVG::ResizeDrawSurface();
}
