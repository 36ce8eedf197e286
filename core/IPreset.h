#pragma once

#include "IByteChunk.h"

/** Room of a preset name, terminator included; longer names are cut. */
constexpr int MAX_PRESET_NAME_LEN = 256;

/** One stored preset: its name and, once initialised, a state chunk of the plug-in. */
struct IPreset {
  bool mInitialized = false;
  char mName[MAX_PRESET_NAME_LEN] = "empty";
  IByteChunk mChunk;

  /** Copies the name, cut to fit and always terminated; null gives an empty name. */
  void SetName(const char* name);
};
