#pragma once

#include "IPopupMenu.h"

#include <memory>
#include <string>
#include <vector>

class IGraphicsMenu_vKelvora_vst3;

// Takes the user's choice from any level of a menu: the chosen item as its menu and position.
class IGraphicsMenuRcvr_vKelvora_vst3 {
public:
  struct MenuItem {
    const IGraphicsMenu_vKelvora_vst3* menu = nullptr;
    int position = -1;
  };

  void OnMenuSelection(const IGraphicsMenu_vKelvora_vst3& menu, int position) {
    mItem = {&menu, position};
  }
  const MenuItem& GetMenuItem() const { return mItem; }

private:
  MenuItem mItem;
};

// One level of a popup menu as shown: built from an IPopupMenu, one row per item, so row
// positions equal item indexes, separators included. Submenus are levels of their own with
// the same receiver.
class IGraphicsMenu_vKelvora_vst3 {
public:
  struct Row {
    std::string title; // with the menu's numbering prefix
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    int indentation = 0; // 1 for title items
    std::unique_ptr<IGraphicsMenu_vKelvora_vst3> submenu;
  };

  IGraphicsMenu_vKelvora_vst3(IPopupMenu& menu, IGraphicsMenuRcvr_vKelvora_vst3& receiver);

  IPopupMenu& GetIPopupMenu() const { return mMenu; }
  int NRows() const { return static_cast<int>(mRows.size()); }
  // Null for a position out of range.
  const Row* GetRow(int position) const;
  // Rows that end the menu when chosen: enabled, not separators, without a submenu.
  bool IsChoosable(int position) const;
  // Rows the keyboard can highlight: enabled and not separators.
  bool IsHighlightable(int position) const;
  // Hands a choosable row to the receiver; false for any other.
  bool ChooseRow(int position) const;

  // After tracking: the menu (or submenu) whose row the receiver took, with that position
  // stored as its chosen index; null when nothing was chosen.
  static IPopupMenu* ChosenMenu(const IGraphicsMenuRcvr_vKelvora_vst3& receiver);

private:
  IPopupMenu& mMenu;
  IGraphicsMenuRcvr_vKelvora_vst3& mReceiver;
  std::vector<Row> mRows;
};
