#pragma once

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

class IControl;
class IPopupMenu;

// The host's context menu for one parameter (IComponentHandler3), extended by the items a
// control offers, at (x, y) in the view's pixels. Choices among the control's items come back
// to the control's OnContextMenuChoice through a menu target made for this menu. False when the
// host offers no such menu.
bool ShowHostContextMenu(Steinberg::Vst::IComponentHandler* handler, Steinberg::IPlugView* view,
                         IControl& control, Steinberg::Vst::ParamID paramId,
                         const IPopupMenu& items, float x, float y);
