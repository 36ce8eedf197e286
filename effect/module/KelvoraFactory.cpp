#include "KelvoraClassInfo.h"
#include "KelvoraCreate.h"
#include "sdk/pluginfactory.h"

#include <mutex>

using namespace Steinberg;

// Hosts may ask for the factory from several threads; the first call builds it, later calls
// share it.
extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory() {
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  if (gPluginFactory) {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  auto* factory = new CPluginFactory(KelvoraFactoryInfo());
  factory->registerClass(&KelvoraClassInfo(), CreateKelvoraInstance, nullptr);
  gPluginFactory = factory;
  return factory;
}
