#include "pluginfactory.h"

#include "base/source/updatehandler.h"

#include <cstring>

namespace Steinberg {

IPluginFactory* gPluginFactory = nullptr;

namespace {

// Narrow descriptions carry ASCII: characters outside it become '?' rather than being cut to
// their low byte, which could turn them into control characters.
void copyToAscii(char8* dst, int32 dstSize, const char16* src, int32 srcSize) {
  int32 i = 0;
  for (; i < dstSize - 1 && i < srcSize && src[i] != 0; ++i)
    dst[i] = src[i] < 0x80 ? static_cast<char8>(src[i]) : '?';
  dst[i] = 0;
}

template <size_t N> void copyToAscii(char8 (&dst)[N], const char16* src, int32 srcSize) {
  copyToAscii(dst, static_cast<int32>(N), src, srcSize);
}

PClassInfo2 narrowInfo(const PClassInfoW& wide) {
  PClassInfo2 narrow;
  memcpy(narrow.cid, wide.cid, sizeof(TUID));
  narrow.cardinality = wide.cardinality;
  memcpy(narrow.category, wide.category, sizeof(narrow.category));
  narrow.category[PClassInfo::kCategorySize - 1] = 0;
  copyToAscii(narrow.name, wide.name, PClassInfo::kNameSize);
  narrow.classFlags = wide.classFlags;
  memcpy(narrow.subCategories, wide.subCategories, sizeof(narrow.subCategories));
  narrow.subCategories[PClassInfo2::kSubCategoriesSize - 1] = 0;
  copyToAscii(narrow.vendor, wide.vendor, PClassInfo2::kVendorSize);
  copyToAscii(narrow.version, wide.version, PClassInfo2::kVersionSize);
  copyToAscii(narrow.sdkVersion, wide.sdkVersion, PClassInfo2::kVersionSize);
  return narrow;
}

PClassInfo2 fromBasicInfo(const PClassInfo& basic) {
  PClassInfo2 info;
  memcpy(info.cid, basic.cid, sizeof(TUID));
  info.cardinality = basic.cardinality;
  memcpy(info.category, basic.category, sizeof(info.category));
  memcpy(info.name, basic.name, sizeof(info.name));
  info.category[PClassInfo::kCategorySize - 1] = 0;
  info.name[PClassInfo::kNameSize - 1] = 0;
  return info;
}

} // namespace

// Every edit controller touches the SDK's update-handler singleton when it is constructed, and
// the SDK creates the lock that guards its singletons on first use without a lock of its own.
// Hosts create instances from several threads at once, so the factory, which is made once
// under its own lock, makes that first use.
CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {
  UpdateHandler::instance();
}

CPluginFactory::~CPluginFactory() {
  if (gPluginFactory == this) gPluginFactory = nullptr;
  setHostContext(nullptr);
}

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunction createFunc,
                                   void* context) {
  if (!info) return false;
  const PClassInfo2 info2 = fromBasicInfo(*info);
  return registerClass(&info2, createFunc, context);
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunc,
                                   void* context) {
  if (!info || !createFunc) return false;
  ClassEntry entry{*info, PClassInfoW(), createFunc, context};
  entry.info16.fromAscii(*info);
  classes.push_back(entry);
  return true;
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunction createFunc,
                                   void* context) {
  if (!info || !createFunc) return false;
  classes.push_back(ClassEntry{narrowInfo(*info), *info, createFunc, context});
  return true;
}

bool CPluginFactory::isClassRegistered(const FUID& cid) const {
  for (const ClassEntry& entry : classes)
    if (FUID::fromTUID(entry.info8.cid) == cid) return true;
  return false;
}

void CPluginFactory::removeAllClasses() {
  classes.clear();
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  QUERY_INTERFACE(iid, obj, FUnknown::iid, IPluginFactory)
  QUERY_INTERFACE(iid, obj, IPluginFactory::iid, IPluginFactory)
  QUERY_INTERFACE(iid, obj, IPluginFactory2::iid, IPluginFactory2)
  QUERY_INTERFACE(iid, obj, IPluginFactory3::iid, IPluginFactory3)
  *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef() {
  return ++refCount;
}

uint32 PLUGIN_API CPluginFactory::release() {
  const uint32 remaining = --refCount;
  if (remaining == 0) delete this;
  return remaining;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
  if (!info) return kInvalidArgument;
  *info = factoryInfo;
  return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() {
  return static_cast<int32>(classes.size());
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
  if (index < 0 || index >= static_cast<int32>(classes.size())) return nullptr;
  return &classes[static_cast<size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
  const ClassEntry* entry = entryAt(index);
  if (!entry || !info) return kInvalidArgument;
  memcpy(info->cid, entry->info8.cid, sizeof(TUID));
  info->cardinality = entry->info8.cardinality;
  memcpy(info->category, entry->info8.category, sizeof(info->category));
  memcpy(info->name, entry->info8.name, sizeof(info->name));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
  const ClassEntry* entry = entryAt(index);
  if (!entry || !info) return kInvalidArgument;
  *info = entry->info8;
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
  const ClassEntry* entry = entryAt(index);
  if (!entry || !info) return kInvalidArgument;
  *info = entry->info16;
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!cid || !iid) return kInvalidArgument;
  for (const ClassEntry& entry : classes) {
    if (memcmp(entry.info8.cid, cid, sizeof(TUID)) != 0) continue;
    FUnknown* instance = entry.createFunc(entry.context);
    if (!instance) return kNoInterface;
    // The creation reference is dropped either way: on success the queried interface holds
    // the instance, on failure nothing does and the instance goes.
    const tresult result = instance->queryInterface(iid, obj);
    instance->release();
    if (result == kResultOk) return kResultOk;
    *obj = nullptr;
    return kNoInterface;
  }
  return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* context) {
  if (context) context->addRef();
  if (hostContext) hostContext->release();
  hostContext = context;
  return kResultOk;
}

} // namespace Steinberg
