#include <gtest/gtest.h>

#include "IGraphicsMenu_vKelvora_vst3.h"

TEST(PopupMenuPrefix, NumbersEveryItemIncludingSeparators) {
  IPopupMenu menu;
  menu.AddItem("Soft");
  menu.AddSeparator();
  menu.AddItem("Hard");
  menu.SetPrefix(2);
  EXPECT_EQ(menu.GetItemTitleWithPrefix(0), "01: Soft");
  EXPECT_EQ(menu.GetItemTitleWithPrefix(2), "03: Hard");
  menu.SetPrefix(1);
  EXPECT_EQ(menu.GetItemTitleWithPrefix(2), "3: Hard");
  menu.SetPrefix(3);
  EXPECT_EQ(menu.GetItemTitleWithPrefix(0), "001: Soft");
  menu.SetPrefix(0);
  EXPECT_EQ(menu.GetItemTitleWithPrefix(0), "Soft");
  menu.SetPrefix(7);
  EXPECT_EQ(menu.GetItemTitleWithPrefix(0), "Soft");
  EXPECT_EQ(menu.GetItemTitleWithPrefix(3), "");
  EXPECT_EQ(menu.GetItemTitleWithPrefix(-1), "");
}

TEST(NativeMenu, RowsMirrorItemsWithFlags) {
  IPopupMenu menu;
  menu.SetPrefix(2);
  menu.AddItem("Modes", IPopupMenu::Item::kTitle);
  menu.AddItem("Off", IPopupMenu::Item::kDisabled);
  menu.AddSeparator();
  menu.AddItem("On", IPopupMenu::Item::kChecked);
  IGraphicsMenuRcvr_vKelvora_vst3 receiver;
  IGraphicsMenu_vKelvora_vst3 native(menu, receiver);
  ASSERT_EQ(native.NRows(), 4);
  EXPECT_EQ(native.GetRow(0)->title, "01: Modes");
  EXPECT_EQ(native.GetRow(0)->indentation, 1);
  EXPECT_FALSE(native.GetRow(1)->enabled);
  EXPECT_TRUE(native.GetRow(2)->separator);
  EXPECT_EQ(native.GetRow(3)->title, "04: On");
  EXPECT_TRUE(native.GetRow(3)->checked);
  EXPECT_EQ(native.GetRow(3)->indentation, 0);
  EXPECT_EQ(native.GetRow(4), nullptr);

  EXPECT_FALSE(native.ChooseRow(1));
  EXPECT_FALSE(native.ChooseRow(2));
  EXPECT_FALSE(native.ChooseRow(9));
  EXPECT_EQ(IGraphicsMenu_vKelvora_vst3::ChosenMenu(receiver), nullptr);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_TRUE(native.ChooseRow(3));
  EXPECT_EQ(IGraphicsMenu_vKelvora_vst3::ChosenMenu(receiver), &menu);
  EXPECT_EQ(menu.GetChosenItemIdx(), 3);
}

TEST(NativeMenu, SubmenuChoiceReturnsTheSubmenuAndItsIndex) {
  IPopupMenu menu;
  menu.AddItem("Top");
  auto sub = std::make_unique<IPopupMenu>();
  sub->AddItem("a");
  sub->AddItem("b");
  sub->AddItem("c");
  IPopupMenu* subPtr = sub.get();
  menu.AddSubmenu("More", std::move(sub));
  IGraphicsMenuRcvr_vKelvora_vst3 receiver;
  IGraphicsMenu_vKelvora_vst3 native(menu, receiver);
  // An item that opens a submenu is not a choice of its own.
  EXPECT_FALSE(native.ChooseRow(1));
  const IGraphicsMenu_vKelvora_vst3* nativeSub = native.GetRow(1)->submenu.get();
  ASSERT_NE(nativeSub, nullptr);
  EXPECT_TRUE(nativeSub->ChooseRow(2));
  EXPECT_EQ(IGraphicsMenu_vKelvora_vst3::ChosenMenu(receiver), subPtr);
  EXPECT_EQ(subPtr->GetChosenItemIdx(), 2);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
}
