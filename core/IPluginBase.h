#pragma once

#include "Config.h"
#include "IByteChunk.h"
#include "IGEditorDelegate.h"
#include "IParam.h"
#include "IPreset.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

/** The plug-in base: owns the parameters (through the editor delegate), the presets and the
 *  plug-in's identity, and keeps the state chunk, the preset bank and the VST 2 program and
 *  bank files. Every reader treats its input as hostile: nothing is read or written out of
 *  bounds and no non-finite value reaches a parameter. */
class IPluginBase : public IGEditorDelegate {
public:
  explicit IPluginBase(const Config& config);
  ~IPluginBase() override;

  // Identity
  const char* GetPluginName() const { return mPluginName.c_str(); }
  const char* GetProductName() const { return mProductName.c_str(); }
  const char* GetMfrName() const { return mMfrName.c_str(); }
  const char* GetBundleID() const { return mBundleID.c_str(); }
  int GetUniqueID() const { return mUniqueID; }
  int GetMfrID() const { return mMfrID; }
  bool DoesStateChunks() const { return mStateChunks; }
  /** Major in bits 16-31, minor in 8-15, patch in 0-7; or major * 10000 + minor * 100 + patch. */
  int GetPluginVersion(bool decimal) const;
  /** "v1.1.5" */
  std::string GetPluginVersionStr() const;
  int GetHostVersion(bool decimal) const;
  std::string GetHostVersionStr() const;
  /** The identified host, -1 until identification has run. */
  int GetHost() const { return mHost; }
  int GetAPI() const { return mAPI; }
  /** "VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", or "" for another index. */
  const char* GetAPIStr() const;
  const char* GetArchStr() const;
  /** "v1.1.5 VST3 (x86-64), built on <date> at <first five of time> " */
  std::string GetBuildInfoStr(const char* date, const char* time) const;

  // Parameter groups, numbered in order of first registration
  /** The group's number; a new name is appended. */
  int AddParamGroup(const char* name);
  int NParamGroups() const { return static_cast<int>(mParamGroups.size()); }
  /** Null for a number outside the list. */
  const char* GetParamGroupName(int groupIdx) const;

  // Change notifications
  virtual void ParamDetailsChanged();
  virtual void PresetsChangedHook();
  virtual void PresetChangedHook();

  // State chunk: one little-endian double per parameter, in index order
  bool WriteParamValues(IByteChunk& chunk) const;
  /** Returns the position after the last value read, or -1 when the chunk ran out. */
  int ReadParamValues(const IByteChunk& chunk, int startPos);
  virtual bool WriteState(IByteChunk& chunk) const;
  virtual int ReadState(const IByteChunk& chunk, int startPos);

  // Presets
  int NPresets() const { return static_cast<int>(mPresets.size()); }
  int GetCurrentPresetIdx() const { return mCurrentPresetIdx; }
  /** Null for an index outside the list. */
  const IPreset* GetPreset(int presetIdx) const;
  bool RecallPreset(int presetIdx);
  bool RecallPresetByName(const char* name);
  /** "" for an index outside the list. */
  const char* PresetName(int presetIdx) const;
  void StoreCurrentPreset(const char* name = nullptr);
  void AddPresetFromState(const char* name = nullptr, int count = 1);
  void FillEmptyPresets();
  /** One value per parameter: an int for boolean, integer and enumerated parameters, a double
   *  for the others. */
  void AddPresetFromValues(const char* name, ...);
  /** `count` pairs of (int parameter index, value typed as above); other parameters take their
   *  current values. */
  void AddPresetFromNamedValues(const char* name, int count, ...);
  void AddPresetFromChunk(const char* name, const IByteChunk& chunk);
  void AddPresetFromBase64(const char* name, const char* text, int size);
  void RemoveUnusedPresets();
  /** The preset bank chunk: per preset its name length, name, initialised flag and state. */
  bool WritePresets(IByteChunk& chunk) const;
  int ReadPresets(const IByteChunk& chunk, int startPos);

  // Preset source dumps, each appending one call to the text file at path
  bool WriteMakePresetCall(const char* path) const;
  /** `paramIdentifiers` names each parameter in the dumped call. */
  bool WriteNamedPresetCall(const char* path, const char* const* paramIdentifiers) const;
  bool WriteBase64PresetCall(const char* path) const;

  // VST 2 program (fxp) and bank (fxb) files: chunk form with state chunks, else parameters
  bool WriteProgramFile(const char* path) const;
  bool ReadProgramFile(const char* path);
  bool WriteBankFile(const char* path) const;
  bool ReadBankFile(const char* path);
  /** The file images and their readers, shared by the file operations. */
  bool MakeProgramFile(std::vector<uint8_t>& image) const;
  bool ReadProgramData(const uint8_t* data, size_t size);
  bool MakeBankFile(std::vector<uint8_t>& image) const;
  bool ReadBankData(const uint8_t* data, size_t size);

  // Bulk parameter operations; index ranges are inclusive and clipped to the list
  void DefaultParamValues();
  void DefaultParamValues(int startIdx, int endIdx);
  void DefaultParamValues(const char* paramGroup);
  void RandomiseParamValues();
  void RandomiseParamValues(int startIdx, int endIdx);
  void RandomiseParamValues(const char* paramGroup);
  void PrintParamValues();
  void ForParamInRange(int startIdx, int endIdx, const std::function<void(int, IParam&)>& func);
  void ForParamInGroup(const char* paramGroup, const std::function<void(int, IParam&)>& func);
  void CopyParamValues(int startIdx, int destIdx, int nParams);
  void CopyParamValues(const char* inGroup, const char* outGroup);
  /** Defines parameters startIdx..endIdx as doubles named by `nameFmtStr` with a running
   *  number from `countStart`. */
  void InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmtStr,
                      double defaultVal, double minVal, double maxVal, double step,
                      const char* label = "", int flags = 0, const char* group = "",
                      const IParam::Shape& shape = IParam::ShapeLinear(),
                      IParam::ParamUnit unit = IParam::kUnitCustom,
                      IParam::DisplayFunc displayFunc = nullptr);
  /** Parameters from startIdx on become copies of cloneStartIdx..cloneEndIdx, values too. */
  void CloneParamRange(int cloneStartIdx, int cloneEndIdx, int startIdx, const char* searchStr = "",
                       const char* replaceStr = "", const char* newGroup = "");

protected:
  void SetHost(int host, int version);
  void SetAPI(int api) { mAPI = api; }

private:
  IPreset* FirstUnusedPreset();
  /** Fills the first uninitialised preset with the name and the current state. */
  bool FillUnusedPreset(const char* name);
  const char* CurrentPresetName() const;
  void WriteProgramRecord(std::vector<uint8_t>& image, const char* name,
                          const std::vector<float>& normalized) const;
  std::vector<float> NormalizedValuesOf(const IByteChunk& state) const;

  std::string mPluginName;
  std::string mProductName;
  std::string mMfrName;
  std::string mBundleID;
  int mUniqueID;
  int mMfrID;
  int mVersion;
  bool mStateChunks;
  int mHostVersion = 0;
  int mHost = -1;
  int mAPI = 1;
  int mCurrentPresetIdx = 0;
  std::vector<std::string> mParamGroups;
  std::vector<std::unique_ptr<IPreset>> mPresets;
};
