#include "FontFaceInfo.h"

#include <cstring>
#include <limits>

namespace {

// A bounded, big-endian view of the font bytes. Reads outside it fail instead of reading.
class FontBytes {
public:
  FontBytes(const uint8_t* bytes, size_t count) : mBytes(bytes), mCount(bytes ? count : 0) {}

  bool Has(size_t offset, size_t length) const {
    return offset <= mCount && length <= mCount - offset;
  }
  bool U16(size_t offset, uint16_t& value) const {
    if (!Has(offset, 2)) return false;
    value = static_cast<uint16_t>(mBytes[offset] << 8 | mBytes[offset + 1]);
    return true;
  }
  bool U32(size_t offset, uint32_t& value) const {
    if (!Has(offset, 4)) return false;
    value = static_cast<uint32_t>(mBytes[offset]) << 24 |
            static_cast<uint32_t>(mBytes[offset + 1]) << 16 |
            static_cast<uint32_t>(mBytes[offset + 2]) << 8 | mBytes[offset + 3];
    return true;
  }
  bool Tag(size_t offset, const char* tag) const {
    return Has(offset, 4) && std::memcmp(mBytes + offset, tag, 4) == 0;
  }
  const uint8_t* At(size_t offset) const { return mBytes + offset; }

private:
  const uint8_t* mBytes;
  size_t mCount;
};

// Offset of the face's table directory, or false when the face does not exist.
bool LocateFace(const FontBytes& font, int faceIndex, uint32_t& faceOffset) {
  static const uint8_t kTrueType[4] = {0, 1, 0, 0};
  static const uint8_t kType1Wrapped[4] = {'1', 0, 0, 0};
  if (faceIndex < 0 || !font.Has(0, 4)) return false;

  if (std::memcmp(font.At(0), kTrueType, 4) == 0 || font.Tag(0, "OTTO") || font.Tag(0, "typ1") ||
      std::memcmp(font.At(0), kType1Wrapped, 4) == 0) {
    faceOffset = 0;
    return faceIndex == 0;
  }
  if (font.Tag(0, "ttcf")) {
    uint32_t version = 0, faceCount = 0;
    if (!font.U32(4, version) || (version != 0x00010000 && version != 0x00020000)) return false;
    if (!font.U32(8, faceCount) || static_cast<uint32_t>(faceIndex) >= faceCount) return false;
    return font.U32(12 + 4 * static_cast<size_t>(faceIndex), faceOffset);
  }
  return false;
}

struct Table {
  uint32_t offset = 0;
  uint32_t length = 0;
};

// The first directory record with the tag; a table that does not lie within the bytes, or
// is shorter than its fields need, counts as absent.
Table FindTable(const FontBytes& font, uint32_t faceOffset, const char* tag, uint32_t minLength) {
  uint16_t tableCount = 0;
  if (!font.U16(faceOffset + size_t{4}, tableCount)) return {};
  for (size_t i = 0; i < tableCount; ++i) {
    size_t record = faceOffset + size_t{12} + 16 * i;
    if (!font.Has(record, 16)) return {};
    if (!font.Tag(record, tag)) continue;
    Table table;
    font.U32(record + 8, table.offset);
    font.U32(record + 12, table.length);
    if (table.offset == 0 || table.length < minLength || !font.Has(table.offset, table.length))
      return {};
    return table;
  }
  return {};
}

void AppendUtf8(uint32_t codePoint, std::string& text) {
  if (codePoint < 0x80) {
    text += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    text += static_cast<char>(0xC0 | codePoint >> 6);
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    text += static_cast<char>(0xE0 | codePoint >> 12);
    text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | codePoint >> 18);
    text += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// UTF-16 big-endian to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16BeToUtf8(const uint8_t* data, size_t length) {
  std::string text;
  size_t units = length / 2;
  for (size_t i = 0; i < units; ++i) {
    uint32_t unit = static_cast<uint32_t>(data[2 * i] << 8 | data[2 * i + 1]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
      uint32_t low = static_cast<uint32_t>(data[2 * i + 2] << 8 | data[2 * i + 3]);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), text);
        ++i;
        continue;
      }
    }
    AppendUtf8(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit, text);
  }
  return text;
}

// The string of the first name record with the platform, encoding, language and name ID
// whose text lies within the name table; false when there is none.
bool FindNameRecord(const FontBytes& font, const Table& name, uint16_t platform, uint16_t encoding,
                    uint16_t language, uint16_t nameID, const uint8_t*& text, size_t& length) {
  uint16_t count = 0, storage = 0;
  font.U16(name.offset + size_t{2}, count);
  font.U16(name.offset + size_t{4}, storage);
  const size_t tableEnd = size_t{name.offset} + name.length;
  for (size_t i = 0; i < count; ++i) {
    size_t record = name.offset + size_t{6} + 12 * i;
    if (record + 12 > tableEnd) return false;
    // A name table may claim more bytes than the file holds.
    uint16_t fields[6];
    for (size_t f = 0; f < 6; ++f)
      if (!font.U16(record + 2 * f, fields[f])) return false;
    if (fields[0] != platform || fields[1] != encoding || fields[2] != language ||
        fields[3] != nameID)
      continue;
    size_t start = size_t{name.offset} + storage + fields[5];
    if (start > tableEnd || fields[4] > tableEnd - start) return false;
    text = font.At(start);
    length = fields[4];
    return true;
  }
  return false;
}

std::string NameString(const FontBytes& font, const Table& name, uint16_t nameID) {
  const uint8_t* text = nullptr;
  size_t length = 0;
  if (FindNameRecord(font, name, 3, 1, 1033, nameID, text, length)) {
    std::string windows = Utf16BeToUtf8(text, length);
    if (!windows.empty()) return windows;
  }
  if (FindNameRecord(font, name, 1, 0, 0, nameID, text, length)) {
    const void* zero = std::memchr(text, 0, length);
    if (zero != nullptr) length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - text);
    return std::string(reinterpret_cast<const char*>(text), length);
  }
  return "";
}

} // namespace

FontFaceInfo ReadFontFaceInfo(const uint8_t* bytes, size_t byteCount, int faceIndex) {
  FontFaceInfo info;
  const FontBytes font(bytes, byteCount);
  uint32_t faceOffset = 0;
  if (!LocateFace(font, faceIndex, faceOffset)) return info;
  info.bytes = bytes;
  info.byteCount = byteCount;

  // Shortest tables that hold the fields read below.
  const Table head = FindTable(font, faceOffset, "head", 46);
  const Table name = FindTable(font, faceOffset, "name", 6);
  const Table hhea = FindTable(font, faceOffset, "hhea", 10);
  info.headOffset = head.offset;
  info.nameOffset = name.offset;
  info.hheaOffset = hhea.offset;
  info.fdscOffset = FindTable(font, faceOffset, "fdsc", 0).offset;
  if (!info.IsValid()) return info;

  uint16_t ascender = 0, descender = 0, lineGap = 0;
  font.U16(head.offset + size_t{18}, info.unitsPerEm);
  font.U16(head.offset + size_t{44}, info.macStyle);
  font.U16(hhea.offset + size_t{4}, ascender);
  font.U16(hhea.offset + size_t{6}, descender);
  font.U16(hhea.offset + size_t{8}, lineGap);
  info.ascender = static_cast<int16_t>(ascender);
  info.descender = static_cast<int16_t>(descender);
  info.lineGap = static_cast<int16_t>(lineGap);
  info.familyName = NameString(font, name, 1);
  info.styleName = NameString(font, name, 2);
  return info;
}

int FindFontFaceForStyle(const uint8_t* bytes, size_t byteCount, const std::string& style) {
  for (int index = 0; index < std::numeric_limits<int>::max(); ++index) {
    FontFaceInfo face = ReadFontFaceInfo(bytes, byteCount, index);
    if (!face.IsValid()) return -1;
    if (!face.styleName.empty() && (style.empty() || face.styleName == style)) return index;
  }
  return -1;
}
