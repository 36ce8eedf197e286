#include "HostContextMenu.h"

#include "IControl.h"
#include "IPopupMenu.h"
#include "Utf16Text.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

using namespace Steinberg;

namespace {

// The control as the host's menu calls back into it. The menu holds its own reference, so a
// host that keeps the menu past the popup still holds a live target.
class ControlMenuTarget final : public FObject, public Vst::IContextMenuTarget {
public:
  explicit ControlMenuTarget(IControl& control) : mControl(control) {}

  tresult PLUGIN_API executeMenuItem(int32 tag) override {
    mControl.OnContextMenuChoice(tag);
    return kResultOk;
  }

  OBJ_METHODS(ControlMenuTarget, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Vst::IContextMenuTarget)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

private:
  IControl& mControl;
};

} // namespace

bool ShowHostContextMenu(Vst::IComponentHandler* handler, IPlugView* view, IControl& control,
                         Vst::ParamID paramId, const IPopupMenu& items, float x, float y) {
  if (!handler) return false;
  FUnknownPtr<Vst::IComponentHandler3> handler3(handler);
  if (!handler3) return false;
  IPtr<Vst::IContextMenu> menu = owned(handler3->createContextMenu(view, &paramId));
  if (!menu) return false;

  IPtr<ControlMenuTarget> target = owned(new ControlMenuTarget(control));
  for (int i = 0; i < items.NItems(); ++i) {
    const IPopupMenu::Item* item = items.GetItem(i);
    Vst::IContextMenuItem entry{};
    Utf8ToUtf16(items.GetItemText(i), entry.name, 128);
    entry.tag = i;
    entry.flags = item && !item->GetEnabled() ? Vst::IContextMenuItem::kIsDisabled : 0;
    if (item && item->GetChecked()) entry.flags |= Vst::IContextMenuItem::kIsChecked;
    if (item && item->GetIsSeparator()) entry.flags |= Vst::IContextMenuItem::kIsSeparator;
    menu->addItem(entry, target);
  }
  return menu->popup(static_cast<UCoord>(x), static_cast<UCoord>(y)) == kResultOk;
}
