#include "Vst3Module.h"

#include <dlfcn.h>

std::string Vst3Module::binaryPathOf(const std::string& bundlePath) {
  std::string bundle = bundlePath;
  while (bundle.size() > 1 && bundle.back() == '/')
    bundle.pop_back();
  const size_t slash = bundle.rfind('/');
  std::string name = slash == std::string::npos ? bundle : bundle.substr(slash + 1);
  const std::string suffix = ".vst3";
  if (name.size() > suffix.size() &&
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
    name.resize(name.size() - suffix.size());
  return bundle + "/Contents/x86_64-linux/" + name + ".so";
}

Vst3Module::Vst3Module(const std::string& bundlePath) : binary(binaryPathOf(bundlePath)) {
  libraryHandle = dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!libraryHandle) {
    const char* reason = dlerror();
    errorText = reason ? reason : "dlopen failed";
    return;
  }
  moduleEntry = reinterpret_cast<EntryFunction>(dlsym(libraryHandle, "ModuleEntry"));
  moduleExit = reinterpret_cast<ExitFunction>(dlsym(libraryHandle, "ModuleExit"));
  getPluginFactory = reinterpret_cast<FactoryFunction>(dlsym(libraryHandle, "GetPluginFactory"));
  if (!moduleEntry || !moduleExit || !getPluginFactory) {
    errorText = "missing entry point";
    return;
  }
  if (!moduleEntry(libraryHandle)) {
    errorText = "ModuleEntry failed";
    return;
  }
  entered = true;
  factoryPtr = getPluginFactory();
  if (!factoryPtr) errorText = "GetPluginFactory returned null";
}

Vst3Module::~Vst3Module() {
  if (factoryPtr) factoryPtr->release();
  if (entered) moduleExit();
  if (libraryHandle) dlclose(libraryHandle);
}
