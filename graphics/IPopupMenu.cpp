#include "IPopupMenu.h"

#include <cstdio>

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, int flags, int tag) {
  mItems.push_back(std::make_unique<Item>(text, flags, tag));
  return mItems.back().get();
}

IPopupMenu::Item* IPopupMenu::AddSubmenu(const char* text, std::unique_ptr<IPopupMenu> submenu,
                                         int flags) {
  Item* item = AddItem(text, flags);
  item->SetSubmenu(std::move(submenu));
  return item;
}

std::string IPopupMenu::GetItemTitleWithPrefix(int index) const {
  const Item* item = GetItem(index);
  if (!item) return {};
  static const char* const kFormats[] = {"%1d: ", "%02d: ", "%03d: "};
  std::string title;
  if (mPrefix >= 1 && mPrefix <= 3) {
    char number[16];
    std::snprintf(number, sizeof(number), kFormats[mPrefix - 1], index + 1);
    title = number;
  }
  return title + item->GetText();
}

IPopupMenu::Item* IPopupMenu::GetItem(int index) const {
  if (index < 0 || index >= NItems()) return nullptr;
  return mItems[static_cast<size_t>(index)].get();
}

const char* IPopupMenu::GetItemText(int index) const {
  const Item* item = GetItem(index);
  return item ? item->GetText() : "";
}

void IPopupMenu::CheckItem(int index, bool checked) {
  if (Item* item = GetItem(index)) item->SetChecked(checked);
}

void IPopupMenu::Clear() {
  mItems.clear();
  mChosenItemIdx = -1;
}

void IPopupMenu::SetChosenItemIdx(int index) {
  mChosenItemIdx = (index >= 0 && index < NItems()) ? index : -1;
}

void IPopupMenu::ExecFunction() {
  if (mCompletion) mCompletion(this);
}
