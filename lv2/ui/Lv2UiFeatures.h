#pragma once

#include "lv2/core/lv2.h"
#include "lv2/ui/ui.h"
#include "lv2/urid/urid.h"

// What the editor takes from the features a host passes to a UI's instantiate. Only the parent
// window is required; without the others the editor does not tell the host its size, sends no
// touch and keeps its own scale. Null or ill-typed entries are passed over.
struct Lv2UiFeatures {
  unsigned long parent = 0; // the X11 window to embed in, 0 when the host gave none
  const LV2UI_Resize* resize = nullptr;
  const LV2UI_Touch* touch = nullptr;
  const LV2_URID_Map* map = nullptr;
  float scaleFactor = 0.f; // ui:scaleFactor from the options, 0 when not given

  static Lv2UiFeatures Read(const LV2_Feature* const* features);
};
