#include "IPlugLV2UI.h"
#include "KelvoraConstruction.h"
#include "KelvoraEffect.h"
#include "KelvoraLv2Plugins.h"
#include "Lv2UiClass.h"

#include <cstring>

// The editor of Kelvora.lv2: the effect on the editor's side of the binding, which the host
// shows for either plug-in of the bundle.
namespace {

using KelvoraLv2Ui = KelvoraEffect<IPlugLV2UI>;

int ChannelsOf(const char* pluginUri) {
  for (const KelvoraLv2Plugin& plugin : kKelvoraLv2Plugins)
    if (std::strcmp(plugin.uri, pluginUri) == 0) return plugin.channels;
  return 0;
}

IPlugLV2UI* CreateKelvoraLv2Ui(const Lv2UiInstanceInfo& info) {
  return ConstructKelvora<KelvoraLv2Ui>(info);
}

} // namespace

const Lv2UiClass* Lv2UiClassAt(uint32_t index) {
  static const Lv2UiClass uiClass =
      MakeLv2UiClass(kKelvoraLv2UiUri, ChannelsOf, CreateKelvoraLv2Ui);
  return index == 0 ? &uiClass : nullptr;
}
