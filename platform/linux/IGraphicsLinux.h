#pragma once

#include "EditorGLWindow.h"
#include "IGraphicsNanoVG.h"
#include "LinuxEditorParent.h"
#include "X11PopupMenu.h"

#include <functional>
#include <memory>
#include <string>

class IGraphicsView_vKelvora_vst3;

using IColorPickerHandlerFunc = std::function<void(const IColor&)>;

// The editor's graphics context on Linux: NanoVG drawing into an X11 child window of the
// host (IGraphicsView_vKelvora_vst3), and the platform's services for the editor: cursor,
// clipboard, panels, links. User-interface thread only.
class IGraphicsLinux : public IGraphicsNanoVG {
public:
  IGraphicsLinux(IGEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  ~IGraphicsLinux() override;

  // Window; parent is a LinuxEditorParent (or null: a window of its own, without ticks).
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  IGraphicsView_vKelvora_vst3* EditorViewHandle() const { return mView.get(); }
  bool IsEditorWindowOpen() const { return mView != nullptr; }
  void ResizeEditorView() override;
  // Native child windows placed over an editor rectangle.
  void AttachChildView(const IRECT& bounds, unsigned long childWindow);
  void DetachChildView(unsigned long childWindow);

  // Cursor
  void ReadMouseLocation(float& x, float& y) const override;
  void SetCursorHidden(bool hide, bool lock) override;
  void WarpCursor(float x, float y);
  int ChangeCursorShape(int kind) override;
  bool CursorIsLocked() const { return mCursorLocked && CursorIsHidden(); }

  // Prompts, panels and the desktop
  void EndTextEntry() {}
  void ShowNativeTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                           const char* str) override;
  IPopupMenu* ShowNativePopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;
  // The popup menu window while one is open, else null.
  X11PopupMenu* OpenPopupMenu() const { return mMenu.get(); }
  bool ReadClipboardText(std::string& text) override;
  bool WriteClipboardText(const char* text) override;
  void SetTextEntryFocus(bool focus) override;
  void UpdateTooltips() override;
  int ShowMessagePanel(const char* title, const char* message, int kind,
                       IMsgBoxCompletionHandlerFunc completion = nullptr);
  void ChooseFile(std::string& fileName, std::string& folder, int action, const char* extensions);
  void ChooseDirectory(std::string& folder);
  bool AskForColor(const IColor& color, const char* prompt, IColorPickerHandlerFunc completion);
  bool OpenLinkOrPath(const char* text);
  bool RevealInFileBrowser(const char* path, bool select);
  const char* PlatformApiName() const { return "X11"; }
  bool IsDarkAppearance() const { return false; }
  const char* BundleIdentifier() const override { return mBundleID.c_str(); }
  void SetBundleIdentifier(const char* id) { mBundleID = id ? id : ""; }

  // GL: every entry from outside the view's own ticks makes the view's context current.
  void MakeContextCurrent() override;
  void ReleaseContextCurrent() override;
  void ResizeDrawSurface() override;

  // For the view: X11 sizes are device pixels, UI units × draw scale × screen scale. The
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

private:
  void ReadStoredCursorPosition();

  std::unique_ptr<IGraphicsView_vKelvora_vst3> mView;
  std::unique_ptr<X11PopupMenu> mMenu;
  unsigned long mFocusBeforeTextEntry = 0; // X window that had the keyboard before typing
  std::unique_ptr<EditorGLWindow::Current> mCurrent;
  int mCurrentDepth = 0;
  int mStoredCursorX = 0; // root window pixels
  int mStoredCursorY = 0;
  bool mCursorLocked = false;
  std::string mBundleID;
};
