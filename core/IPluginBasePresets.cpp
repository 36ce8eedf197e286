#include "Base64.h"
#include "IPluginBase.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
const char kUserPresetName[] = "user preset";
// Marks a slot that no pair filled; such a slot takes the parameter's current value.
constexpr double kUnsetValue = 9.999e-8;

bool TakesIntArgument(const IParam* param) {
  const IParam::ParamType type = param->Type();
  return type == IParam::kTypeBool || type == IParam::kTypeInt || type == IParam::kTypeEnum;
}

double NextValueArgument(const IParam* param, va_list& args) {
  if (param && TakesIntArgument(param)) return static_cast<double>(va_arg(args, int));
  return va_arg(args, double);
}
} // namespace

const IPreset* IPluginBase::GetPreset(int presetIdx) const {
  return presetIdx >= 0 && presetIdx < NPresets() ? mPresets[presetIdx].get() : nullptr;
}

const char* IPluginBase::PresetName(int presetIdx) const {
  const IPreset* preset = GetPreset(presetIdx);
  return preset ? preset->mName : "";
}

const char* IPluginBase::CurrentPresetName() const {
  return PresetName(mCurrentPresetIdx);
}

IPreset* IPluginBase::FirstUnusedPreset() {
  for (auto& preset : mPresets) {
    if (!preset->mInitialized) return preset.get();
  }
  return nullptr;
}

bool IPluginBase::FillUnusedPreset(const char* name) {
  IPreset* preset = FirstUnusedPreset();
  if (!preset) return false;
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk.Clear();
  WriteState(preset->mChunk);
  return true;
}

bool IPluginBase::RecallPreset(int presetIdx) {
  if (presetIdx < 0 || presetIdx >= NPresets()) return false;
  IPreset& preset = *mPresets[presetIdx];
  if (!preset.mInitialized) {
    int userPresets = 0;
    for (const auto& other : mPresets) {
      if (std::strstr(other->mName, kUserPresetName)) ++userPresets;
    }
    IByteChunk state;
    if (!WriteState(state)) return false;
    char name[MAX_PRESET_NAME_LEN];
    std::snprintf(name, sizeof(name), "%s %d", kUserPresetName, userPresets + 1);
    preset.SetName(name);
    preset.mChunk = state;
    preset.mInitialized = true;
  } else if (ReadState(preset.mChunk, 0) < 1) {
    return false;
  }
  mCurrentPresetIdx = presetIdx;
  PresetChangedHook();
  StateRestoredHook();
  return true;
}

bool IPluginBase::RecallPresetByName(const char* name) {
  if (!name || !*name) return false;
  for (int i = 0; i < NPresets(); ++i) {
    if (std::strcmp(mPresets[i]->mName, name) == 0) return RecallPreset(i);
  }
  return false;
}

void IPluginBase::StoreCurrentPreset(const char* name) {
  if (mCurrentPresetIdx < 0 || mCurrentPresetIdx >= NPresets()) return;
  IPreset& preset = *mPresets[mCurrentPresetIdx];
  preset.mChunk.Clear();
  WriteState(preset.mChunk);
  // Stored data is a real preset: recalling it must read it back, not overwrite it.
  preset.mInitialized = true;
  if (name && *name) preset.SetName(name);
}

void IPluginBase::AddPresetFromState(const char* name, int count) {
  for (int i = 0; i < count; ++i)
    FillUnusedPreset(name ? name : "Empty");
}

void IPluginBase::FillEmptyPresets() {
  for (int i = 0; i < NPresets(); ++i)
    FillUnusedPreset("Empty");
}

void IPluginBase::AddPresetFromValues(const char* name, ...) {
  IPreset* preset = FirstUnusedPreset();
  if (!preset) return;
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk.Clear();
  va_list args;
  va_start(args, name);
  for (int i = 0; i < NParams(); ++i) {
    const double value = NextValueArgument(GetParam(i), args);
    preset->mChunk.Put(value);
  }
  va_end(args);
}

void IPluginBase::AddPresetFromNamedValues(const char* name, int count, ...) {
  IPreset* preset = FirstUnusedPreset();
  if (!preset) return;
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk.Clear();
  std::vector<double> values(static_cast<size_t>(NParams()), kUnsetValue);
  va_list args;
  va_start(args, count);
  for (int i = 0; i < count; ++i) {
    const int paramIdx = va_arg(args, int);
    // An unknown index carries a double: the caller passed no parameter whose type says else.
    const double value = NextValueArgument(GetParam(paramIdx), args);
    if (paramIdx >= 0 && paramIdx < NParams()) values[paramIdx] = value;
  }
  va_end(args);
  for (int i = 0; i < NParams(); ++i) {
    const double value = values[i] == kUnsetValue ? GetParam(i)->Value() : values[i];
    preset->mChunk.Put(value);
  }
}

void IPluginBase::AddPresetFromChunk(const char* name, const IByteChunk& chunk) {
  IPreset* preset = FirstUnusedPreset();
  if (!preset) return;
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk = chunk;
}

void IPluginBase::AddPresetFromBase64(const char* name, const char* text, int size) {
  IByteChunk chunk;
  chunk.Resize(size < 0 ? 0 : size);
  Base64Decode(text, chunk.GetData(), static_cast<size_t>(chunk.Size()));
  AddPresetFromChunk(name, chunk);
}

void IPluginBase::RemoveUnusedPresets() {
  std::vector<std::unique_ptr<IPreset>> kept;
  for (auto& preset : mPresets) {
    if (preset->mInitialized) kept.push_back(std::move(preset));
  }
  mPresets = std::move(kept);
}

bool IPluginBase::WritePresets(IByteChunk& chunk) const {
  for (const auto& preset : mPresets) {
    const int32_t nameLength = static_cast<int32_t>(std::strlen(preset->mName));
    chunk.Put(nameLength);
    chunk.PutBytes(preset->mName, nameLength);
    const uint8_t initialized = preset->mInitialized ? 1 : 0;
    chunk.Put(initialized);
    if (preset->mInitialized) chunk.PutChunk(preset->mChunk);
  }
  return chunk.Size() > 0;
}

int IPluginBase::ReadPresets(const IByteChunk& chunk, int startPos) {
  int pos = startPos;
  for (auto& preset : mPresets) {
    if (pos < 0) break;
    int32_t nameLength = 0;
    pos = chunk.Get(nameLength, pos);
    // The length decides how far to skip: one that runs past the end ends the bank.
    if (pos < 0 || nameLength < 0 || nameLength > chunk.Size() - pos) {
      pos = -1;
      break;
    }
    char name[MAX_PRESET_NAME_LEN] = {};
    const int kept = nameLength < MAX_PRESET_NAME_LEN - 1 ? nameLength : MAX_PRESET_NAME_LEN - 1;
    if (kept > 0) std::memcpy(name, chunk.GetData() + pos, static_cast<size_t>(kept));
    pos += nameLength;
    uint8_t initialized = 0;
    pos = chunk.Get(initialized, pos);
    if (pos < 0) break;
    if (initialized) {
      pos = ReadState(chunk, pos);
      if (pos < 0) break;
      preset->mChunk.Clear();
      WriteState(preset->mChunk);
    } else {
      preset->mChunk.Clear();
    }
    preset->mInitialized = initialized != 0;
    preset->SetName(name);
  }
  RecallPreset(mCurrentPresetIdx);
  return pos;
}
