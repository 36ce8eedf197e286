#pragma once

#include "FontFaceInfo.h"

#include <vector>

// A font file's bytes together with what its chosen face's tables tell. The face info points
// into the owned copy, so the object neither copies nor moves.
struct FontFaceData : FontFaceInfo {
  std::vector<uint8_t> data;
  int faceIndex = -1; // −1 when the requested style was not found

  FontFaceData() = default;
  FontFaceData(const FontFaceData&) = delete;
  FontFaceData& operator=(const FontFaceData&) = delete;
};
