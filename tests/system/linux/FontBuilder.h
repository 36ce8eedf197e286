#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Builds small TrueType faces and collections in memory, so the table reader can be tested
// on fonts whose every byte the test knows.
namespace testfont {

struct Face {
  std::string family = "Testface";
  std::string style = "Regular";
  uint16_t unitsPerEm = 2048;
  int16_t ascender = 1900;
  int16_t descender = -500;
  int16_t lineGap = 67;
  uint16_t macStyle = 0;
  bool windowsNames = true;
  bool macNames = false;
};

inline void Put16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
  out[at] = static_cast<uint8_t>(v >> 8);
  out[at + 1] = static_cast<uint8_t>(v);
}

inline void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, static_cast<uint16_t>(v >> 16));
  Put16(out, at + 2, static_cast<uint16_t>(v));
}

inline std::vector<uint8_t> Utf16Be(const std::u16string& text) {
  std::vector<uint8_t> out;
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c >> 8));
    out.push_back(static_cast<uint8_t>(c));
  }
  return out;
}

inline std::u16string Widen(const std::string& ascii) {
  return {ascii.begin(), ascii.end()};
}

struct NameRecord {
  uint16_t platform, encoding, language, nameID;
  std::vector<uint8_t> text;
};

inline std::vector<uint8_t> NameTable(const std::vector<NameRecord>& records) {
  const size_t storage = 6 + 12 * records.size();
  std::vector<uint8_t> table(storage);
  Put16(table, 2, static_cast<uint16_t>(records.size()));
  Put16(table, 4, static_cast<uint16_t>(storage));
  size_t textOffset = 0;
  for (size_t i = 0; i < records.size(); ++i) {
    const NameRecord& r = records[i];
    const size_t at = 6 + 12 * i;
    Put16(table, at, r.platform);
    Put16(table, at + 2, r.encoding);
    Put16(table, at + 4, r.language);
    Put16(table, at + 6, r.nameID);
    Put16(table, at + 8, static_cast<uint16_t>(r.text.size()));
    Put16(table, at + 10, static_cast<uint16_t>(textOffset));
    table.insert(table.end(), r.text.begin(), r.text.end());
    textOffset += r.text.size();
  }
  return table;
}

inline std::vector<uint8_t> NameTable(const Face& face) {
  std::vector<NameRecord> records;
  if (face.windowsNames) {
    records.push_back({3, 1, 1033, 1, Utf16Be(Widen(face.family))});
    records.push_back({3, 1, 1033, 2, Utf16Be(Widen(face.style))});
  }
  if (face.macNames) {
    records.push_back({1, 0, 0, 1, {face.family.begin(), face.family.end()}});
    records.push_back({1, 0, 0, 2, {face.style.begin(), face.style.end()}});
  }
  return NameTable(records);
}

inline std::vector<uint8_t> HeadTable(const Face& face) {
  std::vector<uint8_t> table(54);
  Put32(table, 0, 0x00010000);
  Put32(table, 12, 0x5F0F3CF5);
  Put16(table, 18, face.unitsPerEm);
  Put16(table, 44, face.macStyle);
  return table;
}

inline std::vector<uint8_t> HheaTable(const Face& face) {
  std::vector<uint8_t> table(36);
  Put32(table, 0, 0x00010000);
  Put16(table, 4, static_cast<uint16_t>(face.ascender));
  Put16(table, 6, static_cast<uint16_t>(face.descender));
  Put16(table, 8, static_cast<uint16_t>(face.lineGap));
  return table;
}

struct Table {
  const char* tag;
  std::vector<uint8_t> data;
};

// Appends one face (directory and tables) at the end of out; table offsets count from the
// start of out, as in collections.
inline void AppendFace(std::vector<uint8_t>& out, const std::vector<Table>& tables) {
  const size_t directory = out.size();
  out.resize(directory + 12 + 16 * tables.size());
  Put32(out, directory, 0x00010000);
  Put16(out, directory + 4, static_cast<uint16_t>(tables.size()));
  for (size_t i = 0; i < tables.size(); ++i) {
    while (out.size() % 4 != 0)
      out.push_back(0);
    const size_t record = directory + 12 + 16 * i;
    for (int c = 0; c < 4; ++c)
      out[record + c] = static_cast<uint8_t>(tables[i].tag[c]);
    Put32(out, record + 8, static_cast<uint32_t>(out.size()));
    Put32(out, record + 12, static_cast<uint32_t>(tables[i].data.size()));
    out.insert(out.end(), tables[i].data.begin(), tables[i].data.end());
  }
}

inline std::vector<Table> FaceTables(const Face& face) {
  return {{"head", HeadTable(face)}, {"hhea", HheaTable(face)}, {"name", NameTable(face)}};
}

inline std::vector<uint8_t> Single(const Face& face) {
  std::vector<uint8_t> out;
  AppendFace(out, FaceTables(face));
  return out;
}

inline std::vector<uint8_t> Collection(const std::vector<Face>& faces) {
  std::vector<uint8_t> out(12 + 4 * faces.size());
  out[0] = 't', out[1] = 't', out[2] = 'c', out[3] = 'f';
  Put32(out, 4, 0x00010000);
  Put32(out, 8, static_cast<uint32_t>(faces.size()));
  for (size_t i = 0; i < faces.size(); ++i) {
    Put32(out, 12 + 4 * i, static_cast<uint32_t>(out.size()));
    AppendFace(out, FaceTables(faces[i]));
  }
  return out;
}

inline const char* kRobotoPath =
    "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf";

inline std::vector<uint8_t> ReadRoboto() {
  std::ifstream file(kRobotoPath, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace testfont
