#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <string>

// A VST 3 module loaded the way a Linux host loads one: dlopen of the bundle's shared object,
// ModuleEntry with the handle, GetPluginFactory; and on destruction the factory released,
// ModuleExit and dlclose.
class Vst3Module {
public:
  using EntryFunction = bool (*)(void*);
  using ExitFunction = bool (*)();
  using FactoryFunction = Steinberg::IPluginFactory*(PLUGIN_API*)();

  explicit Vst3Module(const std::string& bundlePath);
  ~Vst3Module();
  Vst3Module(const Vst3Module&) = delete;
  Vst3Module& operator=(const Vst3Module&) = delete;

  // "<dir>/Name.vst3" -> "<dir>/Name.vst3/Contents/x86_64-linux/Name.so"
  static std::string binaryPathOf(const std::string& bundlePath);

  bool loaded() const { return factoryPtr != nullptr; }
  const std::string& error() const { return errorText; }
  const std::string& binaryPath() const { return binary; }
  void* handle() const { return libraryHandle; }

  // The module's own entry points, for tests that drive them directly.
  EntryFunction moduleEntry = nullptr;
  ExitFunction moduleExit = nullptr;
  FactoryFunction getPluginFactory = nullptr;

  Steinberg::IPluginFactory* factory() const { return factoryPtr; }

  // An instance of the class cid as interface I, or null.
  template <class I> Steinberg::IPtr<I> createInstance(const Steinberg::TUID cid) const {
    void* obj = nullptr;
    if (!factoryPtr || factoryPtr->createInstance(cid, I::iid, &obj) != Steinberg::kResultOk)
      return nullptr;
    return Steinberg::owned(static_cast<I*>(obj));
  }

private:
  std::string binary;
  std::string errorText;
  void* libraryHandle = nullptr;
  bool entered = false;
  Steinberg::IPluginFactory* factoryPtr = nullptr;
};
