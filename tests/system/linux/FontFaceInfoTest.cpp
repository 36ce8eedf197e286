#include "FontFaceInfo.h"
#include "FontBuilder.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

using namespace testfont;

namespace {

// Reads from a heap block of exactly the given size, so the sanitizer sees any over-read.
FontFaceInfo ReadExact(const std::vector<uint8_t>& bytes, size_t count, int face) {
  std::unique_ptr<uint8_t[]> block(new uint8_t[count ? count : 1]);
  std::copy(bytes.begin(), bytes.begin() + static_cast<long>(count), block.get());
  FontFaceInfo info = ReadFontFaceInfo(block.get(), count, face);
  info.bytes = info.bytes ? bytes.data() : nullptr;
  return info;
}

} // namespace

TEST(FontFaceInfo, ReadsRobotoAsTheFileHasIt) {
  const std::vector<uint8_t> roboto = ReadRoboto();
  ASSERT_GT(roboto.size(), 1000u) << "fonts-roboto-unhinted is needed";
  FontFaceInfo info = ReadFontFaceInfo(roboto.data(), roboto.size(), 0);
  ASSERT_TRUE(info.IsValid());
  EXPECT_EQ(info.bytes, roboto.data());
  EXPECT_EQ(info.familyName, "Roboto");
  EXPECT_EQ(info.styleName, "Regular");
  EXPECT_EQ(info.unitsPerEm, 2048);
  EXPECT_EQ(info.ascender, 1900);
  EXPECT_EQ(info.descender, -500);
  EXPECT_EQ(info.lineGap, 0);
  EXPECT_EQ(info.macStyle, 0);
  EXPECT_EQ(info.headOffset, 220u);
  EXPECT_EQ(info.hheaOffset, 276u);
  EXPECT_EQ(info.nameOffset, 225236u);
  EXPECT_EQ(info.fdscOffset, 0u);
  EXPECT_EQ(FindFontFaceForStyle(roboto.data(), roboto.size(), "Regular"), 0);
  EXPECT_FALSE(ReadFontFaceInfo(roboto.data(), roboto.size(), 1).bytes)
      << "a single-face file has only face 0";
}

TEST(FontFaceInfo, ReadsMetricsAndNamesOfABuiltFace) {
  Face face;
  face.family = "Nuppi Sans";
  face.style = "Bold Italic";
  face.unitsPerEm = 1000;
  face.ascender = 800;
  face.descender = -200;
  face.lineGap = 90;
  face.macStyle = 3;
  const std::vector<uint8_t> bytes = Single(face);
  FontFaceInfo info = ReadFontFaceInfo(bytes.data(), bytes.size(), 0);
  ASSERT_TRUE(info.IsValid());
  EXPECT_EQ(info.familyName, "Nuppi Sans");
  EXPECT_EQ(info.styleName, "Bold Italic");
  EXPECT_EQ(info.unitsPerEm, 1000);
  EXPECT_EQ(info.ascender, 800);
  EXPECT_EQ(info.descender, -200);
  EXPECT_EQ(info.lineGap, 90);
  EXPECT_EQ(info.macStyle, 3);
}

TEST(FontFaceInfo, AcceptsEachSingleFaceSignature) {
  std::vector<uint8_t> bytes = Single(Face());
  for (const char* tag : {"OTTO", "typ1"}) {
    std::copy(tag, tag + 4, bytes.begin());
    EXPECT_TRUE(ReadFontFaceInfo(bytes.data(), bytes.size(), 0).IsValid()) << tag;
  }
  const uint8_t type1Wrapped[4] = {'1', 0, 0, 0};
  std::copy(type1Wrapped, type1Wrapped + 4, bytes.begin());
  EXPECT_TRUE(ReadFontFaceInfo(bytes.data(), bytes.size(), 0).IsValid());
  std::copy("wOFF", "wOFF" + 4, bytes.begin());
  EXPECT_FALSE(ReadFontFaceInfo(bytes.data(), bytes.size(), 0).bytes);
}

TEST(FontFaceInfo, CollectionFacesAndStyleSearch) {
  Face regular, bold, italic;
  bold.style = "Bold";
  bold.unitsPerEm = 1000;
  italic.style = "Italic";
  const std::vector<uint8_t> ttc = Collection({regular, bold, italic});

  FontFaceInfo second = ReadFontFaceInfo(ttc.data(), ttc.size(), 1);
  ASSERT_TRUE(second.IsValid());
  EXPECT_EQ(second.styleName, "Bold");
  EXPECT_EQ(second.unitsPerEm, 1000);
  EXPECT_FALSE(ReadFontFaceInfo(ttc.data(), ttc.size(), 3).bytes) << "3 faces: index 3 is none";
  EXPECT_FALSE(ReadFontFaceInfo(ttc.data(), ttc.size(), -1).bytes);

  EXPECT_EQ(FindFontFaceForStyle(ttc.data(), ttc.size(), "Bold"), 1);
  EXPECT_EQ(FindFontFaceForStyle(ttc.data(), ttc.size(), "Italic"), 2);
  EXPECT_EQ(FindFontFaceForStyle(ttc.data(), ttc.size(), "bold"), -1) << "case-sensitive";
  EXPECT_EQ(FindFontFaceForStyle(ttc.data(), ttc.size(), "Light"), -1);

  Face unnamed;
  unnamed.style = "";
  const std::vector<uint8_t> firstUnnamed = Collection({unnamed, bold});
  EXPECT_EQ(FindFontFaceForStyle(firstUnnamed.data(), firstUnnamed.size(), ""), 1)
      << "an empty style takes the first face with a style name";

  std::vector<uint8_t> version2 = ttc;
  Put32(version2, 4, 0x00020000);
  EXPECT_TRUE(ReadFontFaceInfo(version2.data(), version2.size(), 2).IsValid());
  Put32(version2, 4, 0x00030000);
  EXPECT_FALSE(ReadFontFaceInfo(version2.data(), version2.size(), 0).bytes);
}

TEST(FontFaceInfo, NameRecordsFromBothPlatforms) {
  Face macOnly;
  macOnly.windowsNames = false;
  macOnly.macNames = true;
  std::vector<uint8_t> bytes = Single(macOnly);
  FontFaceInfo info = ReadFontFaceInfo(bytes.data(), bytes.size(), 0);
  EXPECT_EQ(info.familyName, "Testface");
  EXPECT_EQ(info.styleName, "Regular");

  // An empty Windows name falls back to the Macintosh one, whose bytes end at a zero.
  std::vector<NameRecord> records = {{3, 1, 1033, 1, {}},
                                     {1, 0, 0, 1, {'M', 'a', 'c', 0, 'x'}},
                                     {3, 1, 1033, 2, Utf16Be(u"Gr\u00FC\u00DF \U0001D11E")},
                                     {3, 1, 1031, 3, Utf16Be(u"ignored")}};
  std::vector<uint8_t> font;
  AppendFace(
      font,
      {{"head", HeadTable(Face())}, {"hhea", HheaTable(Face())}, {"name", NameTable(records)}});
  info = ReadFontFaceInfo(font.data(), font.size(), 0);
  EXPECT_EQ(info.familyName, "Mac");
  EXPECT_EQ(info.styleName, "Gr\xC3\xBC\xC3\x9F \xF0\x9D\x84\x9E");

  // An unpaired surrogate must not swallow the next character.
  records = {{3, 1, 1033, 1, Utf16Be(u"a")}};
  records[0].text.insert(records[0].text.begin(), {0xD8, 0x00});
  font.clear();
  AppendFace(
      font,
      {{"head", HeadTable(Face())}, {"hhea", HheaTable(Face())}, {"name", NameTable(records)}});
  EXPECT_EQ(ReadFontFaceInfo(font.data(), font.size(), 0).familyName, "\xEF\xBF\xBD"
                                                                      "a");
}

TEST(FontFaceInfo, MissingTablesMakeTheFaceInvalid) {
  std::vector<uint8_t> font;
  AppendFace(font, {{"head", HeadTable(Face())}, {"name", NameTable(Face())}});
  FontFaceInfo info = ReadFontFaceInfo(font.data(), font.size(), 0);
  EXPECT_TRUE(info.bytes);
  EXPECT_EQ(info.hheaOffset, 0u);
  EXPECT_FALSE(info.IsValid());

  font.clear();
  AppendFace(font, {{"head", HeadTable(Face())},
                    {"hhea", HheaTable(Face())},
                    {"name", NameTable(Face())},
                    {"fdsc", std::vector<uint8_t>(8)}});
  info = ReadFontFaceInfo(font.data(), font.size(), 0);
  EXPECT_TRUE(info.IsValid());
  EXPECT_NE(info.fdscOffset, 0u);
}

TEST(FontFaceInfo, EveryTruncationIsReadWithinBounds) {
  const std::vector<uint8_t> ttc = Collection({Face(), Face()});
  for (size_t count = 0; count < ttc.size(); ++count) {
    FontFaceInfo info = ReadExact(ttc, count, 1);
    // The second face's name table ends the file: any cut leaves that face unusable.
    EXPECT_FALSE(info.IsValid()) << count;
  }
  EXPECT_TRUE(ReadExact(ttc, ttc.size(), 1).IsValid());

  const std::vector<uint8_t> roboto = ReadRoboto();
  ASSERT_FALSE(roboto.empty());
  EXPECT_FALSE(ReadExact(roboto, roboto.size() / 2, 0).IsValid()) << "name table is cut off";
  EXPECT_FALSE(ReadExact(roboto, 3, 0).bytes);
  EXPECT_FALSE(ReadFontFaceInfo(nullptr, 100, 0).bytes);
}

TEST(FontFaceInfo, HostileOffsetsAndCountsFail) {
  const std::vector<uint8_t> good = Single(Face());
  const size_t headRecord = 12; // tables are written in the order head, hhea, name

  std::vector<uint8_t> bytes = good;
  Put32(bytes, headRecord + 8, 0xFFFFFFF0u);
  EXPECT_FALSE(ReadFontFaceInfo(bytes.data(), bytes.size(), 0).IsValid()) << "offset past end";

  bytes = good;
  Put32(bytes, headRecord + 12, 0xFFFFFFFFu);
  EXPECT_FALSE(ReadFontFaceInfo(bytes.data(), bytes.size(), 0).IsValid()) << "length past end";

  bytes = good;
  Put32(bytes, headRecord + 12, 20);
  EXPECT_FALSE(ReadFontFaceInfo(bytes.data(), bytes.size(), 0).IsValid()) << "head too short";

  bytes = good;
  Put16(bytes, 4, 0xFFFF);
  EXPECT_TRUE(ReadExact(bytes, bytes.size(), 0).IsValid()) << "records beyond the end are cut";

  const uint32_t nameOffset = ReadFontFaceInfo(good.data(), good.size(), 0).nameOffset;
  bytes = good;
  Put16(bytes, nameOffset + 2, 0xFFFF);
  EXPECT_TRUE(ReadExact(bytes, bytes.size(), 0).IsValid());
  bytes = good;
  Put16(bytes, nameOffset + 4, 0xFFFF);
  FontFaceInfo info = ReadExact(bytes, bytes.size(), 0);
  EXPECT_TRUE(info.IsValid());
  EXPECT_EQ(info.familyName, "") << "string storage past the table";

  std::vector<uint8_t> ttc = Collection({Face()});
  Put32(ttc, 8, 0xFFFFFFFFu);
  EXPECT_FALSE(ReadExact(ttc, ttc.size(), 0x7FFFFFFF).bytes);
  EXPECT_EQ(FindFontFaceForStyle(ttc.data(), ttc.size(), "Bold"), -1);
}

TEST(FontFaceInfo, RandomCorruptionNeverReadsOutOfBounds) {
  const std::vector<uint8_t> ttc = Collection({Face(), Face()});
  std::mt19937 random(1234);
  std::uniform_int_distribution<size_t> position(0, ttc.size() - 1);
  std::uniform_int_distribution<int> value(0, 255);
  int validFaces = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> bytes = ttc;
    for (int flips = 0; flips < 4; ++flips)
      bytes[position(random)] = static_cast<uint8_t>(value(random));
    for (int face = 0; face < 3; ++face) {
      FontFaceInfo info = ReadExact(bytes, bytes.size(), face);
      if (!info.IsValid()) continue;
      ++validFaces;
      EXPECT_LT(info.headOffset + 46u, bytes.size() + 1);
      EXPECT_LT(info.hheaOffset + 10u, bytes.size() + 1);
    }
    FindFontFaceForStyle(bytes.data(), bytes.size(), "Bold");
  }
  EXPECT_GT(validFaces, 0) << "corruption that misses the tables keeps faces readable";
}
