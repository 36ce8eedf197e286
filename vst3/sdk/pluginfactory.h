#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <atomic>
#include <vector>

namespace Steinberg {

// The class factory a module hands to the host: a table of class descriptions, each with the
// function that creates an instance of the class.
class CPluginFactory : public IPluginFactory3 {
public:
  using CreateFunction = FUnknown* (*)(void* context);

  explicit CPluginFactory(const PFactoryInfo& info);
  virtual ~CPluginFactory();

  bool registerClass(const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
  bool registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
  bool registerClass(const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);
  bool isClassRegistered(const FUID& cid) const;
  void removeAllClasses();

  // The context the host handed to setHostContext (null until then); Linux hosts offer their
  // run loop through it.
  FUnknown* getHostContext() const { return hostContext; }

  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override;
  uint32 PLUGIN_API release() override;

  tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
  int32 PLUGIN_API countClasses() override;
  tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
  tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) override;
  tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;
  tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) override;
  tresult PLUGIN_API setHostContext(FUnknown* context) override;

private:
  // Every class is kept in both encodings so that each getClassInfo flavour answers for it.
  struct ClassEntry {
    PClassInfo2 info8;
    PClassInfoW info16;
    CreateFunction createFunc;
    void* context;
  };

  const ClassEntry* entryAt(int32 index) const;

  std::atomic<uint32> refCount{1};
  PFactoryInfo factoryInfo;
  std::vector<ClassEntry> classes;
  FUnknown* hostContext = nullptr;
};

// The module's one factory while the host holds it; reset when the factory is destroyed.
extern IPluginFactory* gPluginFactory;

} // namespace Steinberg
