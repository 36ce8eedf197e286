#pragma once

#include "EditorRunLoop.h"
#include "IGraphicsMenu_vKelvora_vst3.h"
#include "IRECT.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct NVGcontext;
class IGraphicsLinux;

// A popup menu on X11, which has none of its own: override-redirect windows, one per open
// level, drawn with NanoVG through one GL context on a connection of the menu's own. It
// grabs pointer and keyboard while open and is driven by the editor's run loop, so it
// completes later: with the chosen menu (its chosen index set) or with null when dismissed.
// Mouse: moving highlights and opens submenus, a release on an item chooses it, a press
// outside dismisses. Keys: Up and Down move, Right or Return opens a submenu, Left closes
// one, Return or Space chooses, Escape dismisses.
class X11PopupMenu {
public:
  using Completion = std::function<void(IPopupMenu* chosen)>;

  static constexpr float kRowHeight = 22.f;
  static constexpr float kSeparatorHeight = 9.f;
  static constexpr float kTextSize = 14.f;
  static constexpr float kMinWidth = 120.f;
  static constexpr int kGrabRetryMs = 20;

  X11PopupMenu(IPopupMenu& menu, EditorRunLoop& loop, Completion completion);
  // Closing an open menu completes nothing.
  ~X11PopupMenu();
  X11PopupMenu(const X11PopupMenu&) = delete;
  X11PopupMenu& operator=(const X11PopupMenu&) = delete;

  // Opens the top level with its top-left corner at (xPx, yPx) of window anchor on the X
  // display displayName; fontData is the TrueType font the rows are drawn with. False, with
  // nothing left open, when the display or GL is not available.
  bool Open(const char* displayName, Window anchor, int xPx, int yPx,
            const std::vector<uint8_t>& fontData);
  bool IsOpen() const { return mDisplay != nullptr; }

  // Shows menu for the editor of graphics below bounds, as the editor's native popup menu:
  // the chosen menu's completion function runs, then the editor's FinishPopupMenu. Null when
  // the editor has no window.
  static std::unique_ptr<X11PopupMenu> ShowFor(IGraphicsLinux& graphics, IPopupMenu& menu,
                                               const IRECT& bounds, EditorRunLoop& loop);

  // What is open, for the editor's tests: levels from the top, their windows and highlights.
  int Levels() const { return static_cast<int>(mLevels.size()); }
  Window LevelWindow(int level) const;
  int Highlighted(int level) const;
  // The centre of a row of a level in root-window pixels.
  bool RowCentre(int level, int position, int& rootX, int& rootY) const;

private:
  struct Level {
    const IGraphicsMenu_vKelvora_vst3* menu = nullptr;
    Window window = 0;
    int x = 0, y = 0, w = 0, h = 0; // root-window pixels
    std::vector<float> rowTops;
    int highlighted = -1;
    int parentRow = -1;
  };

  void ProcessEvents();
  void HandleEvent(const XEvent& event);
  void OnPointer(int rootX, int rootY, bool release, bool press);
  void OnKey(XKeyEvent event);
  void TryGrab();
  bool OpenLevel(const IGraphicsMenu_vKelvora_vst3& menu, int x, int y, int parentRow);
  void CloseLevelsFrom(int level);
  void OpenSubmenuOf(int level, bool highlightFirst);
  void Draw(const Level& level);
  int RowAt(const Level& level, int rootY) const;
  void MoveHighlight(int level, int direction);
  void Finish(IPopupMenu* chosen);
  void Release();

  IPopupMenu& mMenu;
  EditorRunLoop& mLoop;
  Completion mCompletion;
  IGraphicsMenuRcvr_vKelvora_vst3 mReceiver;
  std::unique_ptr<IGraphicsMenu_vKelvora_vst3> mRoot;
  std::vector<Level> mLevels;
  std::vector<uint8_t> mFontData;
  Display* mDisplay = nullptr;
  XVisualInfo* mVisual = nullptr;
  Colormap mColormap = 0;
  void* mContext = nullptr;
  NVGcontext* mVG = nullptr;
  int mFont = -1;
  bool mGrabbed = false;
  bool mPressedInside = false;
  EditorRunLoop::Id mFdId = EditorRunLoop::kNoId;
  EditorRunLoop::Id mTimerId = EditorRunLoop::kNoId;
  // Cleared when the menu goes, so that a completion that deleted it stops the handler.
  std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
};
