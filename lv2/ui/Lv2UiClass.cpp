#include "Lv2UiClass.h"

#include "IPlugLV2UI.h"

#include <cstring>
#include <memory>

// The descriptor's functions: each finds the editor behind the host's handle and hands the call
// on. Nothing may throw into the host.
namespace {

IPlugLV2UI& Ui(LV2UI_Handle handle) {
  return *static_cast<IPlugLV2UI*>(handle);
}

LV2UI_Handle Instantiate(const LV2UI_Descriptor* descriptor, const char* pluginUri,
                         const char* bundlePath, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
  if (!descriptor || !pluginUri || !widget) return nullptr;
  // The descriptor is the first member of its class record.
  const auto& uiClass = *reinterpret_cast<const Lv2UiClass*>(descriptor);
  const int channels = uiClass.channelsOf(pluginUri);
  if (channels < 1) return nullptr;
  try {
    std::unique_ptr<IPlugLV2UI> ui(
        uiClass.create(Lv2UiInstanceInfo{channels, bundlePath, write, controller, features}));
    if (!ui) return nullptr;
    if (!ui->OpenInHost()) {
      ui->CloseInHost();
      return nullptr;
    }
    *widget = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(ui->Widget()));
    return ui.release();
  } catch (...) {
    return nullptr;
  }
}

void Cleanup(LV2UI_Handle handle) {
  IPlugLV2UI* ui = &Ui(handle);
  ui->CloseInHost();
  delete ui;
}

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format,
               const void* buffer) {
  Ui(handle).PortEvent(port, bufferSize, format, buffer);
}

int Idle(LV2UI_Handle handle) {
  try {
    return Ui(handle).Idle();
  } catch (...) {
    return 1;
  }
}

int HostResize(LV2UI_Feature_Handle handle, int width, int height) {
  try {
    return Ui(handle).HostResize(width, height);
  } catch (...) {
    return 1;
  }
}

const void* ExtensionData(const char* uri) {
  static const LV2UI_Idle_Interface idle{Idle};
  // As extension data, the handle passed to ui_resize is the editor's own.
  static const LV2UI_Resize resize{nullptr, HostResize};
  if (!uri) return nullptr;
  if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &idle;
  if (std::strcmp(uri, LV2_UI__resize) == 0) return &resize;
  return nullptr;
}

} // namespace

Lv2UiClass MakeLv2UiClass(const char* uri, int (*channelsOf)(const char*),
                          IPlugLV2UI* (*create)(const Lv2UiInstanceInfo&)) {
  Lv2UiClass uiClass{};
  uiClass.descriptor = {uri, Instantiate, Cleanup, PortEvent, ExtensionData};
  uiClass.channelsOf = channelsOf;
  uiClass.create = create;
  return uiClass;
}
