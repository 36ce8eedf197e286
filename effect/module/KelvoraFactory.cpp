#include "KelvoraClassInfo.h"
#include "KelvoraCreate.h"
#include "SharedFactory.h"

using namespace Steinberg;

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory() {
  return SharedPluginFactory([]() -> CPluginFactory* {
    auto* factory = new CPluginFactory(KelvoraFactoryInfo());
    factory->registerClass(&KelvoraClassInfo(), CreateKelvoraInstance, nullptr);
    return factory;
  });
}
