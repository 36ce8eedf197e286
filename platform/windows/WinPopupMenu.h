#pragma once

#include "IPopupMenu.h"
#include "WinHandles.h"

#include <string>
#include <vector>

// An IPopupMenu as a Windows popup menu: every level a menu of the system's, with checked,
// disabled and separator items as the framework marks them. Each choosable item gets
// a command number, which leads back to its menu and position once TrackPopupMenu returns.
class WinPopupMenu {
public:
  explicit WinPopupMenu(IPopupMenu& menu);
  ~WinPopupMenu();
  WinPopupMenu(const WinPopupMenu&) = delete;
  WinPopupMenu& operator=(const WinPopupMenu&) = delete;

  HMENU__* Handle() const { return mHandle; }
  // The menu (or submenu) of a command number with its chosen index set; null for 0 (nothing
  // chosen) and for numbers this menu did not give out.
  IPopupMenu* Choose(unsigned command) const;
  // Shows the menu at (x, y) in screen pixels for owner until the user chooses or dismisses
  // it, and gives the chosen menu as Choose does.
  IPopupMenu* Track(HWND__* owner, int x, int y) const;

  // An item's title as the system shows it: '&' marks a shortcut letter there, so the
  // framework's own ampersands are doubled.
  static std::wstring MenuText(const char* title);

private:
  struct Command {
    IPopupMenu* menu;
    int position;
  };

  HMENU__* Build(IPopupMenu& menu);

  std::vector<Command> mCommands; // command number n is mCommands[n - 1]
  HMENU__* mHandle = nullptr;
};
