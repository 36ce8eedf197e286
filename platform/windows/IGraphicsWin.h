#pragma once

#include "IGraphicsNanoVG.h"
#include "WinGLContext.h"
#include "WinHandles.h"

#include <functional>
#include <memory>
#include <string>

class IGraphicsWinView_vKelvora_vst3;
class Win32RunLoop;
class WinTextEntry;

using IColorPickerHandlerFunc = std::function<void(const IColor&)>;

// What the host binding hands to IGraphicsWin::OpenEditorWindow as the "parent": the window
// the host embeds the editor in and the host's content scale (0: the scale of the window's
// monitor, followed when the window moves to another).
struct WinEditorParent {
  HWND__* window = nullptr;
  float screenScale = 0.f;
};

// The editor's graphics context on Windows: NanoVG drawing into a child window of the host
// (IGraphicsWinView_vKelvora_vst3) with a WGL context, ticked by a timer of its own, since
// Windows hosts give plug-ins no run loop; and the platform's services for the editor: cursor,
// clipboard, menus, text entry, dialogs, links. User-interface thread only.
class IGraphicsWin : public IGraphicsNanoVG {
public:
  IGraphicsWin(IGEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  ~IGraphicsWin() override;

  // Window; parent is a WinEditorParent (or null: a top-level popup window of its own).
  // Returns the view, or null when the window or its GL context could not be made.
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  IGraphicsWinView_vKelvora_vst3* EditorViewHandle() const { return mView.get(); }
  bool IsEditorWindowOpen() const { return mView != nullptr; }
  // The editor's child window, null while closed.
  HWND__* EditorWindow() const;
  void ResizeEditorView() override;
  // The loop the display timer runs on; made with the first window, on its thread.
  Win32RunLoop* RunLoop() const { return mRunLoop.get(); }

  // Cursor
  void ReadMouseLocation(float& x, float& y) const override;
  void SetCursorHidden(bool hide, bool lock) override;
  int ChangeCursorShape(int kind) override;
  bool CursorIsLocked() const { return mCursorLocked && CursorIsHidden(); }

  // Prompts, panels and the desktop
  void ShowNativeTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                           const char* str) override;
  // The system's text field while one is open, else null.
  WinTextEntry* OpenTextEntry() const { return mTextEntry.get(); }
  IPopupMenu* ShowNativePopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;
  bool ReadClipboardText(std::string& text) override;
  bool WriteClipboardText(const char* text) override;
  void SetTextEntryFocus(bool focus) override;
  // Windows shows no tooltips for the editor: the value bubble names what the pointer is on.
  void UpdateTooltips() override {}
  int ShowMessagePanel(const char* title, const char* message, int kind,
                       IMsgBoxCompletionHandlerFunc completion = nullptr);
  void ChooseFile(std::string& fileName, std::string& folder, int action, const char* extensions);
  void ChooseDirectory(std::string& folder);
  bool AskForColor(const IColor& color, const char* prompt, IColorPickerHandlerFunc completion);
  bool OpenLinkOrPath(const char* text);
  bool RevealInFileBrowser(const char* path, bool select);
  const char* PlatformApiName() const { return "Win32"; }
  bool IsDarkAppearance() const { return false; }
  const char* BundleIdentifier() const override { return mBundleID.c_str(); }
  void SetBundleIdentifier(const char* id) { mBundleID = id ? id : ""; }

  // GL: every entry from outside the view's own ticks makes the view's context current.
  void MakeContextCurrent() override;
  void ReleaseContextCurrent() override;
  void ResizeDrawSurface() override;

  // For the view: window sizes are device pixels, UI units × draw scale × screen scale. The
  // window holds the picture at its top left and may be larger where the host made it so.
  float PixelsPerUnit() const { return DrawScale() * ScreenScale(); }
  int WindowWidthPx() const { return SurfaceWidthPx(); }
  int WindowHeightPx() const { return SurfaceHeightPx(); }
  void SetCursorPosition(float x, float y);
  // During a locked drag: puts the pointer back where it was hidden and gives that place.
  void PutLockedCursorBack(float& x, float& y);
  void GetCursorLockPosition(float& x, float& y) const {
    x = mCursorLockX;
    y = mCursorLockY;
  }
  // The window's monitor changed density; followed unless the host gave a scale.
  void OnDpiChanged(float scale);
  // The text field's posted end (see WinTextEntry).
  void OnTextEntryEnd(bool committed, long long serial);

private:
  std::unique_ptr<Win32RunLoop> mRunLoop;
  std::unique_ptr<IGraphicsWinView_vKelvora_vst3> mView;
  std::unique_ptr<WinTextEntry> mTextEntry;
  std::unique_ptr<WinGLContext::Current> mCurrent;
  int mCurrentDepth = 0;
  long mLockScreenX = 0; // screen pixels of the pointer when it was hidden
  long mLockScreenY = 0;
  bool mCursorLocked = false;
  bool mFollowDpi = false;
  std::string mBundleID;
};
