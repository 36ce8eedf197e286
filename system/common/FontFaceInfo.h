#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the tables of one face of a font file tell: where its tables are, its names and
// vertical metrics. Font data is treated as hostile: every offset and count is checked
// against the bytes, and anything that does not fit makes the face (or the table) absent.
struct FontFaceInfo {
  const uint8_t* bytes = nullptr; // not owned; null when the requested face does not exist
  size_t byteCount = 0;
  uint32_t headOffset = 0; // 0 when the table is absent
  uint32_t nameOffset = 0;
  uint32_t hheaOffset = 0;
  uint32_t fdscOffset = 0;
  std::string familyName; // name ID 1
  std::string styleName;  // name ID 2
  uint16_t macStyle = 0;
  uint16_t unitsPerEm = 0;
  int16_t ascender = 0;
  int16_t descender = 0;
  int16_t lineGap = 0;

  bool IsValid() const {
    return bytes != nullptr && headOffset != 0 && nameOffset != 0 && hheaOffset != 0;
  }
};

// Reads face faceIndex of a TrueType, CFF, Type 1 wrapped or collection file.
FontFaceInfo ReadFontFaceInfo(const uint8_t* bytes, size_t byteCount, int faceIndex);

// The index of the first face whose style name equals style (case-sensitive); an empty style
// takes the first face with any style name. −1 when no valid face before the first invalid
// one matches.
int FindFontFaceForStyle(const uint8_t* bytes, size_t byteCount, const std::string& style);
