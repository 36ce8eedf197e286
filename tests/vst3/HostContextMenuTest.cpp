// A right click on a bound control asks the host for the parameter's context menu, with the
// control's own items added; a chosen item comes back to the control, also from a menu the host
// keeps past the popup.
#include "ComponentHandler.h"
#include "IControl.h"
#include "IPopupMenu.h"
#include "TestPlugs.h"
#include "Utf16Text.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The host's menu: records what the plug-in adds, holding each target as a host does, and on
// popup chooses one of its items.
class RecordingMenu : public FObject, public IContextMenu {
public:
  struct Entry {
    std::string name;
    int32 tag, flags;
    IPtr<IContextMenuTarget> target;
  };
  std::vector<Entry> entries;
  UCoord popupX = -1, popupY = -1;
  int choose = -1; // index into entries, or none

  int32 PLUGIN_API getItemCount() override { return static_cast<int32>(entries.size()); }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kResultFalse; }
  tresult PLUGIN_API addItem(const Item& item, IContextMenuTarget* target) override {
    entries.push_back({Utf16ToUtf8(item.name, 128, 256), item.tag, item.flags, target});
    return kResultOk;
  }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API popup(UCoord x, UCoord y) override {
    popupX = x;
    popupY = y;
    if (choose >= 0 && choose < static_cast<int>(entries.size()))
      entries[choose].target->executeMenuItem(entries[choose].tag);
    return kResultOk;
  }
  OBJ_METHODS(RecordingMenu, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(IContextMenu)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)
};

class MenuHost : public KelvoraTestHost::ComponentHandler {
public:
  IContextMenu* PLUGIN_API createContextMenu(IPlugView*, const ParamID* paramID) override {
    askedFor = paramID ? static_cast<int>(*paramID) : -1;
    if (!offersMenus) return nullptr;
    menu->addRef(); // the caller owns the returned reference
    return menu;
  }
  bool offersMenus = true;
  int askedFor = -2;
  IPtr<RecordingMenu> menu = owned(new RecordingMenu);
};

class ChoiceControl : public IControl {
public:
  ChoiceControl() : IControl(IRECT(0.f, 0.f, 10.f, 10.f), 1) {}
  void Draw(IGraphics&) override {}
  void OnContextMenuChoice(int itemIndex) override { chosen.push_back(itemIndex); }
  std::vector<int> chosen;
};

struct Plug {
  Plug() : plug(owned(new GroupedMidiPlug)) {
    EXPECT_EQ(plug->initialize(&host), kResultOk);
    EXPECT_EQ(plug->setComponentHandler(handler), kResultTrue);
  }
  ~Plug() {
    plug->setComponentHandler(nullptr);
    plug->terminate();
  }
  HostApplication host;
  IPtr<GroupedMidiPlug> plug;
  IPtr<MenuHost> handler = owned(new MenuHost);
};

TEST(HostContextMenu, ControlItemsReachTheHostMenuAndTheChoiceComesBack) {
  Plug t;
  ChoiceControl control;
  IPopupMenu items;
  items.AddItem("Reset");
  items.AddSeparator();
  items.AddItem("Learn", IPopupMenu::Item::kDisabled);
  items.AddItem("Fine", IPopupMenu::Item::kChecked);
  t.handler->menu->choose = 3;

  ASSERT_TRUE(t.plug->ShowHostContextMenu(control, 1, items, 12.f, 34.f));
  EXPECT_EQ(t.handler->askedFor, 1);
  const auto& e = t.handler->menu->entries;
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].name, "Reset");
  EXPECT_EQ(e[0].tag, 0);
  EXPECT_EQ(e[0].flags, 0);
  EXPECT_TRUE(e[1].flags & IContextMenuItem::kIsSeparator);
  EXPECT_TRUE(e[2].flags & IContextMenuItem::kIsDisabled);
  EXPECT_TRUE(e[3].flags & IContextMenuItem::kIsChecked);
  EXPECT_EQ(t.handler->menu->popupX, 12);
  EXPECT_EQ(t.handler->menu->popupY, 34);
  EXPECT_EQ(control.chosen, std::vector<int>{3});
}

// A host whose menu answers after popup has returned still reaches the control.
TEST(HostContextMenu, AChoiceAfterThePopupStillReachesTheControl) {
  Plug t;
  ChoiceControl control;
  IPopupMenu items;
  items.AddItem("Reset");
  items.AddItem("Fine");
  ASSERT_TRUE(t.plug->ShowHostContextMenu(control, 0, items, 0.f, 0.f));
  EXPECT_TRUE(control.chosen.empty());
  const auto& e = t.handler->menu->entries;
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].target, e[1].target);
  EXPECT_EQ(e[1].target->executeMenuItem(e[1].tag), kResultOk);
  EXPECT_EQ(control.chosen, std::vector<int>{1});
}

TEST(HostContextMenu, NothingIsShownWithoutAHostMenuOrForAnUnknownParameter) {
  Plug t;
  ChoiceControl control;
  IPopupMenu items;
  items.AddItem("Reset");

  EXPECT_FALSE(t.plug->ShowHostContextMenu(control, t.plug->NParams(), items, 0.f, 0.f));
  EXPECT_FALSE(t.plug->ShowHostContextMenu(control, -1, items, 0.f, 0.f));
  EXPECT_EQ(t.handler->askedFor, -2);

  t.handler->offersMenus = false;
  EXPECT_FALSE(t.plug->ShowHostContextMenu(control, 0, items, 0.f, 0.f));
  EXPECT_EQ(t.handler->askedFor, 0);
  EXPECT_TRUE(control.chosen.empty());
}

} // namespace
