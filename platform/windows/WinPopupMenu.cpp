#include "WinPopupMenu.h"

#include "WinText.h"

#include <windows.h>

WinPopupMenu::WinPopupMenu(IPopupMenu& menu) {
  mHandle = Build(menu);
}

WinPopupMenu::~WinPopupMenu() {
  // Destroys the submenus with it.
  if (mHandle) DestroyMenu(mHandle);
}

std::wstring WinPopupMenu::MenuText(const char* title) {
  std::wstring text;
  for (wchar_t c : WinText::Widen(title)) {
    if (c == L'&') text += L'&';
    text += c;
  }
  return text;
}

HMENU WinPopupMenu::Build(IPopupMenu& menu) {
  HMENU handle = CreatePopupMenu();
  if (!handle) return nullptr;
  for (int i = 0; i < menu.NItems(); ++i) {
    const IPopupMenu::Item* item = menu.GetItem(i);
    if (item->GetIsSeparator()) {
      AppendMenuW(handle, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::wstring text = MenuText(menu.GetItemTitleWithPrefix(i).c_str());
    UINT flags = MF_STRING;
    if (item->GetChecked()) flags |= MF_CHECKED;
    if (!item->GetEnabled()) flags |= MF_GRAYED;
    if (IPopupMenu* sub = item->GetSubmenu()) {
      HMENU subHandle = Build(*sub);
      if (!subHandle) continue;
      AppendMenuW(handle, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(subHandle), text.c_str());
      continue;
    }
    mCommands.push_back({&menu, i});
    AppendMenuW(handle, flags, static_cast<UINT_PTR>(mCommands.size()), text.c_str());
  }
  return handle;
}

IPopupMenu* WinPopupMenu::Choose(unsigned command) const {
  if (command == 0 || command > mCommands.size()) return nullptr;
  const Command& chosen = mCommands[command - 1];
  chosen.menu->SetChosenItemIdx(chosen.position);
  return chosen.menu;
}

IPopupMenu* WinPopupMenu::Track(HWND owner, int x, int y) const {
  if (!mHandle) return nullptr;
  const BOOL command = TrackPopupMenu(
      mHandle, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y,
      0, owner, nullptr);
  // The menu's own window must let go of the pointer before the editor sees it again.
  PostMessageW(owner, WM_NULL, 0, 0);
  return Choose(static_cast<unsigned>(command));
}
