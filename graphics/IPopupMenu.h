#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A menu offered to the user: a titled list of items, possibly nested, and the
// index the user chose (-1 while nothing is chosen).
class IPopupMenu {
public:
  class Item {
  public:
    enum Flags { kNoFlags = 0, kDisabled = 1, kTitle = 2, kChecked = 4, kSeparator = 8 };

    Item(const char* text, int flags = kNoFlags, int tag = -1)
        : mText(text ? text : ""), mFlags(flags), mTag(tag) {}

    const char* GetText() const { return mText.c_str(); }
    int GetFlags() const { return mFlags; }
    int GetTag() const { return mTag; }
    bool GetEnabled() const { return !(mFlags & kDisabled); }
    bool GetChecked() const { return (mFlags & kChecked) != 0; }
    bool GetIsSeparator() const { return (mFlags & kSeparator) != 0; }
    bool GetIsTitle() const { return (mFlags & kTitle) != 0; }
    IPopupMenu* GetSubmenu() const { return mSubmenu.get(); }

    void SetChecked(bool checked) { SetFlag(kChecked, checked); }
    void SetEnabled(bool enabled) { SetFlag(kDisabled, !enabled); }
    void SetTag(int tag) { mTag = tag; }
    void SetSubmenu(std::unique_ptr<IPopupMenu> submenu) { mSubmenu = std::move(submenu); }

  private:
    void SetFlag(int flag, bool on) { mFlags = on ? (mFlags | flag) : (mFlags & ~flag); }

    std::string mText;
    std::unique_ptr<IPopupMenu> mSubmenu;
    int mFlags;
    int mTag;
  };

  using CompletionFunc = std::function<void(IPopupMenu*)>;

  explicit IPopupMenu(const char* title = "") : mTitle(title ? title : "") {}

  const char* GetRootTitle() const { return mTitle.c_str(); }
  void SetRootTitle(const char* title) { mTitle = title ? title : ""; }

  // Numbering of item titles: 0 none, 1 "%1d: ", 2 "%02d: ", 3 "%03d: ", counted from 1
  // over all items, separators included.
  int GetPrefix() const { return mPrefix; }
  void SetPrefix(int kind) { mPrefix = kind; }
  // The title of an item as shown, with its number when the menu numbers its items; empty
  // for an index out of range.
  std::string GetItemTitleWithPrefix(int index) const;

  Item* AddItem(const char* text, int flags = Item::kNoFlags, int tag = -1);
  void AddSeparator() { AddItem("", Item::kSeparator); }
  // An item that opens submenu, which the item owns.
  Item* AddSubmenu(const char* text, std::unique_ptr<IPopupMenu> submenu,
                   int flags = Item::kNoFlags);
  int NItems() const { return static_cast<int>(mItems.size()); }
  // Null for an index out of range.
  Item* GetItem(int index) const;
  const char* GetItemText(int index) const;
  void CheckItem(int index, bool checked);
  void Clear();

  int GetChosenItemIdx() const { return mChosenItemIdx; }
  // An index outside the items leaves nothing chosen.
  void SetChosenItemIdx(int index);
  Item* GetChosenItem() const { return GetItem(mChosenItemIdx); }

  void SetFunction(CompletionFunc func) { mCompletion = std::move(func); }
  const CompletionFunc& GetFunction() const { return mCompletion; }
  void ExecFunction();

private:
  std::string mTitle;
  int mPrefix = 0;
  int mChosenItemIdx = -1;
  std::vector<std::unique_ptr<Item>> mItems;
  CompletionFunc mCompletion;
};
