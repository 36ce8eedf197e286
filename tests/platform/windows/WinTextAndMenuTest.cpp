#include <gtest/gtest.h>

#include "IPopupMenu.h"
#include "WinClipboard.h"
#include "WinDialogs.h"
#include "WinPopupMenu.h"
#include "WinText.h"

#include <windows.h>

#include <memory>
#include <string>

namespace {

// "Grüße €" and a treble clef, beyond the basic plane.
const std::string kUtf8 = "Gr\xC3\xBC\xC3\x9F"
                          "e \xE2\x82\xAC \xF0\x9D\x84\x9E";
const std::wstring kUtf16 = L"Gr\u00FC\u00DFe \u20AC \xD834\xDD1E";

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t buffer[128] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = 127;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return buffer;
}

MENUITEMINFOW ItemInfo(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info;
}

TEST(WinText, ConvertsBothWaysBeyondTheBasicPlane) {
  EXPECT_EQ(WinText::Widen(kUtf8), kUtf16);
  EXPECT_EQ(WinText::Narrow(kUtf16), kUtf8);
  EXPECT_EQ(WinText::Widen(static_cast<const char*>(nullptr)), L"");
  EXPECT_EQ(WinText::Narrow(static_cast<const wchar_t*>(nullptr)), "");
}

TEST(WinText, MalformedInputBecomesReplacementCharacters) {
  // A cut-off sequence at the end, and a lone surrogate.
  EXPECT_EQ(WinText::Widen(std::string("ab\xE2\x82")), L"ab\uFFFD");
  EXPECT_EQ(WinText::Narrow(std::wstring(L"x\xD834y")), "x\xEF\xBF\xBDy");
}

TEST(WinPopupMenu, ShowsEveryItemWithItsStateAndUtf16Title) {
  auto sub = std::make_unique<IPopupMenu>();
  sub->AddItem("Deep");
  sub->AddItem(kUtf8.c_str());
  IPopupMenu menu;
  menu.AddItem("Plain");
  menu.AddItem("Checked")->SetChecked(true);
  menu.AddItem("Off")->SetEnabled(false);
  menu.AddSeparator();
  menu.AddSubmenu("More", std::move(sub));
  menu.AddItem("Salt & Pepper");

  WinPopupMenu popup(menu);
  HMENU handle = popup.Handle();
  ASSERT_NE(handle, nullptr);
  ASSERT_EQ(GetMenuItemCount(handle), 6);
  EXPECT_EQ(ItemText(handle, 0), L"Plain");
  EXPECT_FALSE(ItemInfo(handle, 0).fState & MFS_CHECKED);
  EXPECT_TRUE(ItemInfo(handle, 1).fState & MFS_CHECKED);
  EXPECT_TRUE(ItemInfo(handle, 2).fState & MFS_GRAYED);
  EXPECT_TRUE(ItemInfo(handle, 3).fType & MFT_SEPARATOR);
  // The framework's ampersand is shown, not taken as a shortcut mark.
  EXPECT_EQ(ItemText(handle, 5), L"Salt && Pepper");

  HMENU subHandle = ItemInfo(handle, 4).hSubMenu;
  ASSERT_NE(subHandle, nullptr);
  ASSERT_EQ(GetMenuItemCount(subHandle), 2);
  EXPECT_EQ(ItemText(subHandle, 1), kUtf16);
}

TEST(WinPopupMenu, ACommandLeadsBackToItsMenuAndPosition) {
  auto owned = std::make_unique<IPopupMenu>();
  IPopupMenu& sub = *owned;
  sub.AddItem("Deep 0");
  sub.AddItem("Deep 1");
  IPopupMenu menu;
  menu.AddItem("Top 0");
  menu.AddSeparator();
  menu.AddSubmenu("More", std::move(owned));
  menu.AddItem("Top 3");
  WinPopupMenu popup(menu);

  const UINT subCommand = ItemInfo(ItemInfo(popup.Handle(), 2).hSubMenu, 1).wID;
  IPopupMenu* chosen = popup.Choose(subCommand);
  ASSERT_EQ(chosen, &sub);
  EXPECT_EQ(sub.GetChosenItemIdx(), 1);

  const UINT topCommand = ItemInfo(popup.Handle(), 3).wID;
  ASSERT_EQ(popup.Choose(topCommand), &menu);
  EXPECT_EQ(menu.GetChosenItemIdx(), 3);

  // Dismissed (0) and numbers the menu never gave out choose nothing.
  EXPECT_EQ(popup.Choose(0), nullptr);
  EXPECT_EQ(popup.Choose(999), nullptr);
}

TEST(WinClipboard, TextGoesThroughAsUtf16AndComesBackAsUtf8) {
  ASSERT_TRUE(WinClipboard::Write(nullptr, kUtf8));
  // Other programs see UTF-16 text.
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(data))), kUtf16);
  GlobalUnlock(data);
  CloseClipboard();

  std::string text;
  ASSERT_TRUE(WinClipboard::Read(nullptr, text));
  EXPECT_EQ(text, kUtf8);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  text = "stale";
  EXPECT_FALSE(WinClipboard::Read(nullptr, text));
  EXPECT_EQ(text, "");
}

TEST(WinDialogs, FileFiltersListTheExtensionsThenAllFiles) {
  const std::wstring filter = WinDialogs::FileFilter("fxp fxb");
  EXPECT_EQ(filter, std::wstring(L"Files (*.fxp;*.fxb)\0*.fxp;*.fxb\0All files\0*.*\0", 46));
  EXPECT_EQ(WinDialogs::FileFilter(nullptr), std::wstring(L"All files\0*.*\0", 14));
  EXPECT_EQ(WinDialogs::FolderOf("C:\\Presets\\a.fxp"), "C:\\Presets\\");
  EXPECT_EQ(WinDialogs::FolderOf("C:/Presets/a.fxp"), "C:/Presets/");
  EXPECT_EQ(WinDialogs::FolderOf("a.fxp"), "");
  // Kinds no platform knows show nothing and answer Cancel.
  EXPECT_EQ(WinDialogs::ShowMessage(nullptr, "t", "m", 2), IDCANCEL);
  EXPECT_EQ(WinDialogs::ShowMessage(nullptr, "t", "m", 99), IDCANCEL);
}

} // namespace
