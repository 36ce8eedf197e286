#include "FileAccess.h"
#include "FxpFormat.h"
#include "IPluginBase.h"
#include "Refuse.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace FxpFormat;

namespace {
// No program or bank of this plug-in comes near this; a larger file is not one of ours.
constexpr long kMaxFileBytes = 64L * 1024 * 1024;

bool WriteWholeFile(const char* path, const std::vector<uint8_t>& image) {
  FILE* file = OpenFile(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& image) {
  KELVORA_REFUSE_IF(!path || !*path, false);
  FILE* file = OpenFile(path, "rb");
  KELVORA_REFUSE_IF(!file, false);
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(file) : -1;
  ok = ok && size >= 0 && size <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    image.resize(static_cast<size_t>(size));
    ok = std::fread(image.data(), 1, image.size(), file) == image.size();
  }
  std::fclose(file);
  KELVORA_REFUSE_IF(!ok, false);
  return true;
}

void PutChunkTag(Writer& writer) {
  writer.Int(kChunkTag);
  const uint8_t version[4] = {
      static_cast<uint8_t>(kChunkTagVersion), static_cast<uint8_t>(kChunkTagVersion >> 8),
      static_cast<uint8_t>(kChunkTagVersion >> 16), static_cast<uint8_t>(kChunkTagVersion >> 24)};
  writer.Bytes(version, 4);
}

/** The rest of the image as a chunk; false when it is too large for one. */
bool ChunkOfRest(const Reader& reader, IByteChunk& chunk) {
  if (reader.Remaining() > static_cast<size_t>(INT_MAX)) return false;
  chunk.PutBytes(reader.Current(), static_cast<int>(reader.Remaining()));
  return true;
}
} // namespace

std::vector<float> IPluginBase::NormalizedValuesOf(const IByteChunk& state) const {
  std::vector<float> normalized;
  for (int i = 0; i < NParams(); ++i) {
    // Values missing from a short chunk, or not numbers at all, count as 0.
    double value = 0.0;
    state.Get(value, i * static_cast<int>(sizeof(double)));
    if (!std::isfinite(value)) value = 0.0;
    normalized.push_back(static_cast<float>(GetParam(i)->NormalizedFromValue(value)));
  }
  return normalized;
}

void IPluginBase::WriteProgramRecord(std::vector<uint8_t>& image, const char* name,
                                     const std::vector<float>& normalized) const {
  Writer writer(image);
  writer.Int(kChunkMagic);
  writer.Int(0);
  writer.Int(kProgramParamsMagic);
  writer.Int(kProgramFormatVersion);
  writer.Int(static_cast<uint32_t>(mUniqueID));
  writer.Int(static_cast<uint32_t>(GetPluginVersion(true)));
  writer.Int(static_cast<uint32_t>(NParams()));
  writer.ProgramName(name);
  for (float value : normalized)
    writer.Float(value);
}

bool IPluginBase::MakeProgramFile(std::vector<uint8_t>& image) const {
  image.clear();
  if (!mStateChunks) {
    std::vector<float> normalized;
    for (int i = 0; i < NParams(); ++i)
      normalized.push_back(static_cast<float>(GetParam(i)->Normalized()));
    WriteProgramRecord(image, CurrentPresetName(), normalized);
    return true;
  }
  IByteChunk state;
  if (!WriteState(state)) return false;
  const uint32_t chunkSize = static_cast<uint32_t>(kChunkTagBytes + state.Size());
  Writer writer(image);
  writer.Int(kChunkMagic);
  writer.Int(chunkSize + kProgramChunkOverhead);
  writer.Int(kProgramChunkMagic);
  writer.Int(kProgramFormatVersion);
  writer.Int(static_cast<uint32_t>(mUniqueID));
  writer.Int(static_cast<uint32_t>(GetPluginVersion(true)));
  writer.Int(static_cast<uint32_t>(NParams()));
  writer.ProgramName(CurrentPresetName());
  writer.Int(chunkSize);
  PutChunkTag(writer);
  writer.Bytes(state.GetData(), static_cast<size_t>(state.Size()));
  return true;
}

bool IPluginBase::WriteProgramFile(const char* path) const {
  std::vector<uint8_t> image;
  return path && *path && MakeProgramFile(image) && WriteWholeFile(path, image);
}

bool IPluginBase::ReadProgramFile(const char* path) {
  std::vector<uint8_t> image;
  return ReadWholeFile(path, image) && ReadProgramData(image.data(), image.size());
}

bool IPluginBase::ReadProgramData(const uint8_t* data, size_t size) {
  Reader reader(data, size);
  const uint32_t chunkMagic = reader.Int();
  reader.Int();
  const uint32_t formatMagic = reader.Int();
  const uint32_t formatVersion = reader.Int();
  const uint32_t uniqueID = reader.Int();
  reader.Int();
  reader.Int();
  char name[kProgramNameBytes + 1];
  reader.ProgramName(name);
  KELVORA_REFUSE_IF(!reader.Ok() || chunkMagic != kChunkMagic ||
                        formatVersion != kProgramFormatVersion ||
                        uniqueID != static_cast<uint32_t>(mUniqueID),
                    false);

  if (formatMagic == kProgramChunkMagic && mStateChunks) {
    reader.Int();
    if (!reader.Ok()) return false;
    reader.SkipChunkTag();
    IByteChunk state;
    KELVORA_REFUSE_IF(!ChunkOfRest(reader, state) || ReadState(state, 0) < 0, false);
  } else if (formatMagic == kProgramParamsMagic) {
    // A file with fewer values than parameters leaves the rest as they are.
    for (int i = 0; i < NParams(); ++i) {
      const float normalized = reader.Float();
      if (!reader.Ok()) break;
      if (std::isfinite(normalized)) GetParam(i)->SetNormalized(normalized);
    }
  } else {
    return false;
  }

  if (mCurrentPresetIdx >= 0 && mCurrentPresetIdx < NPresets()) StoreCurrentPreset(name);
  RecallPreset(mCurrentPresetIdx);
  PresetsChangedHook();
  return true;
}

bool IPluginBase::MakeBankFile(std::vector<uint8_t>& image) const {
  image.clear();
  Writer writer(image);
  writer.Int(kChunkMagic);
  IByteChunk presets;
  uint32_t chunkSize = 0;
  if (mStateChunks) {
    WritePresets(presets);
    chunkSize = static_cast<uint32_t>(kChunkTagBytes + presets.Size());
    writer.Int(chunkSize + kBankChunkOverhead);
    writer.Int(kBankChunkMagic);
  } else {
    writer.Int(0);
    writer.Int(kBankParamsMagic);
  }
  writer.Int(kBankFormatVersion);
  writer.Int(static_cast<uint32_t>(mUniqueID));
  writer.Int(static_cast<uint32_t>(GetPluginVersion(true)));
  writer.Int(static_cast<uint32_t>(NPresets()));
  writer.Int(static_cast<uint32_t>(mCurrentPresetIdx));
  writer.Zeros(kBankReservedBytes);
  if (mStateChunks) {
    writer.Int(chunkSize);
    PutChunkTag(writer);
    writer.Bytes(presets.GetData(), static_cast<size_t>(presets.Size()));
  } else {
    for (const auto& preset : mPresets)
      WriteProgramRecord(image, preset->mName, NormalizedValuesOf(preset->mChunk));
  }
  return true;
}

bool IPluginBase::WriteBankFile(const char* path) const {
  std::vector<uint8_t> image;
  return path && *path && MakeBankFile(image) && WriteWholeFile(path, image);
}

bool IPluginBase::ReadBankFile(const char* path) {
  std::vector<uint8_t> image;
  return ReadWholeFile(path, image) && ReadBankData(image.data(), image.size());
}

bool IPluginBase::ReadBankData(const uint8_t* data, size_t size) {
  Reader reader(data, size);
  const uint32_t chunkMagic = reader.Int();
  reader.Int();
  const uint32_t formatMagic = reader.Int();
  reader.Int();
  const uint32_t uniqueID = reader.Int();
  reader.Int();
  const int32_t nPrograms = reader.SignedInt();
  const int32_t currentProgram = reader.SignedInt();
  reader.Skip(kBankReservedBytes);
  KELVORA_REFUSE_IF(!reader.Ok() || chunkMagic != kChunkMagic ||
                        uniqueID != static_cast<uint32_t>(mUniqueID),
                    false);

  if (formatMagic == kBankChunkMagic && mStateChunks) {
    reader.Int();
    if (!reader.Ok()) return false;
    reader.SkipChunkTag();
    IByteChunk presets;
    if (!ChunkOfRest(reader, presets)) return false;
    const int pos = ReadPresets(presets, 0);
    PresetsChangedHook();
    return pos >= 0;
  }
  KELVORA_REFUSE_IF(formatMagic != kBankParamsMagic || nPrograms < 0, false);

  // Programs beyond this plug-in's presets have nowhere to go and are not read.
  const int nRead = nPrograms < NPresets() ? nPrograms : NPresets();
  std::vector<float> values(static_cast<size_t>(NParams()));
  for (int i = 0; i < nRead; ++i) {
    const uint32_t recordMagic = reader.Int();
    reader.Int();
    const uint32_t recordFormat = reader.Int();
    const uint32_t recordVersion = reader.Int();
    reader.Int();
    reader.Int();
    const uint32_t nParams = reader.Int();
    char name[kProgramNameBytes + 1];
    reader.ProgramName(name);
    for (float& value : values)
      value = reader.Float();
    // A record is applied whole or not at all.
    KELVORA_REFUSE_IF(
        !reader.Ok() || recordMagic != kChunkMagic || recordFormat != kProgramParamsMagic ||
            recordVersion != kProgramFormatVersion || nParams != static_cast<uint32_t>(NParams()),
        false);
    // A preset whose stored data cannot be read back is still replaced by the program.
    if (!RecallPreset(i)) mCurrentPresetIdx = i;
    for (int p = 0; p < NParams(); ++p) {
      if (std::isfinite(values[p])) GetParam(p)->SetNormalized(values[p]);
    }
    StoreCurrentPreset(name);
  }
  RecallPreset(currentProgram);
  PresetsChangedHook();
  return true;
}
