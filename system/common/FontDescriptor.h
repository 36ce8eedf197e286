#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// What our own text drawing needs to draw with a font: the file's bytes, shared by every
// holder, and the face inside them.
struct FontDescriptor {
  std::shared_ptr<const std::vector<uint8_t>> data;
  int faceIndex = -1;

  bool IsValid() const { return data && !data->empty() && faceIndex >= 0; }
};
