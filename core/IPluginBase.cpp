#include "IPluginBase.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {
std::string TextOrEmpty(const char* text) {
  return text ? text : "";
}

int DecimalVersion(int version) {
  const int major = (version >> 16) & 0xFFFF;
  const int minor = (version >> 8) & 0xFF;
  const int patch = version & 0xFF;
  return major * 10000 + minor * 100 + patch;
}

std::string VersionText(int version) {
  char text[32];
  std::snprintf(text, sizeof(text), "v%d.%d.%d", (version >> 16) & 0xFFFF, (version >> 8) & 0xFF,
                version & 0xFF);
  return text;
}
} // namespace

IPluginBase::IPluginBase(const Config& config)
    : IGEditorDelegate(config.nParams), mPluginName(TextOrEmpty(config.pluginName)),
      mProductName(TextOrEmpty(config.productName)), mMfrName(TextOrEmpty(config.mfrName)),
      mBundleID(TextOrEmpty(config.bundleID)), mUniqueID(config.uniqueID), mMfrID(config.mfrID),
      mVersion(config.vendorVersion), mStateChunks(config.plugDoesChunks) {
  for (int i = 0; i < config.nPresets; ++i)
    mPresets.push_back(std::make_unique<IPreset>());
}

IPluginBase::~IPluginBase() = default;

int IPluginBase::GetPluginVersion(bool decimal) const {
  return decimal ? DecimalVersion(mVersion) : mVersion;
}

std::string IPluginBase::GetPluginVersionStr() const {
  return VersionText(mVersion);
}

int IPluginBase::GetHostVersion(bool decimal) const {
  return decimal ? DecimalVersion(mHostVersion) : mHostVersion;
}

std::string IPluginBase::GetHostVersionStr() const {
  return VersionText(mHostVersion);
}

const char* IPluginBase::GetAPIStr() const {
  static const char* const kNames[] = {"VST2", "VST3", "AU",  "AUv3", "AAX",
                                       "APP",  "WAM",  "WEB", "LV2"};
  return mAPI >= 0 && mAPI < static_cast<int>(std::size(kNames)) ? kNames[mAPI] : "";
}

const char* IPluginBase::GetArchStr() const {
  return "x86-64";
}

std::string IPluginBase::GetBuildInfoStr(const char* date, const char* time) const {
  char text[256];
  std::snprintf(text, sizeof(text), "%s %s (%s), built on %s at %.5s ",
                GetPluginVersionStr().c_str(), GetAPIStr(), GetArchStr(), date ? date : "",
                time ? time : "");
  return text;
}

void IPluginBase::SetHost(int host, int version) {
  mHost = host;
  mHostVersion = version;
}

int IPluginBase::AddParamGroup(const char* name) {
  const std::string group = TextOrEmpty(name);
  for (size_t i = 0; i < mParamGroups.size(); ++i) {
    if (mParamGroups[i] == group) return static_cast<int>(i);
  }
  mParamGroups.push_back(group);
  return NParamGroups() - 1;
}

const char* IPluginBase::GetParamGroupName(int groupIdx) const {
  return groupIdx >= 0 && groupIdx < NParamGroups() ? mParamGroups[groupIdx].c_str() : nullptr;
}

void IPluginBase::ParamDetailsChanged() {}

void IPluginBase::PresetsChangedHook() {}

void IPluginBase::PresetChangedHook() {}

bool IPluginBase::WriteParamValues(IByteChunk& chunk) const {
  for (int i = 0; i < NParams(); ++i) {
    const double value = GetParam(i)->Value();
    chunk.Put(value);
  }
  return chunk.Size() > 0 || NParams() == 0;
}

int IPluginBase::ReadParamValues(const IByteChunk& chunk, int startPos) {
  int pos = startPos;
  for (int i = 0; i < NParams() && pos >= 0; ++i) {
    // A chunk that runs out leaves the value at 0, which still lands in the parameter.
    double value = 0.0;
    pos = chunk.Get(value, pos);
    if (std::isfinite(value)) GetParam(i)->SetValue(value);
  }
  AnnounceAllParams(kSourcePresetRecall);
  return pos;
}

bool IPluginBase::WriteState(IByteChunk& chunk) const {
  return WriteParamValues(chunk);
}

int IPluginBase::ReadState(const IByteChunk& chunk, int startPos) {
  return ReadParamValues(chunk, startPos);
}
