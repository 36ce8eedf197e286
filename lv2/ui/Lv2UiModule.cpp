#include "Lv2UiClass.h"

// The module's entry point for hosts that show the editor: the product's editors in turn.
extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  const Lv2UiClass* uiClass = Lv2UiClassAt(index);
  return uiClass ? &uiClass->descriptor : nullptr;
}
