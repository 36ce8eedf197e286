#include "VST3KeyTranslation.h"

#include <gtest/gtest.h>

using namespace Steinberg;

namespace {

TEST(VST3KeyTranslation, VirtualKeysFollowTheTable) {
  const struct {
    int16 code;
    int vk;
  } table[] = {{1, 8},    {2, 9},    {3, 12},   {4, 13},   {5, 19},   {6, 27},   {7, 32},
               {8, 34},   {9, 35},   {10, 36},  {11, 37},  {12, 38},  {13, 39},  {14, 40},
               {15, 33},  {16, 34},  {17, 41},  {18, 42},  {19, 13},  {20, 44},  {21, 45},
               {22, 46},  {23, 47},  {24, 96},  {33, 105}, {34, 106}, {39, 111}, {40, 112},
               {51, 123}, {52, 144}, {53, 145}, {54, 16},  {55, 17},  {56, 18}};
  for (const auto& entry : table)
    EXPECT_EQ(TranslateVST3KeyPress(0, entry.code, 0).VK, entry.vk) << entry.code;
  EXPECT_EQ(TranslateVST3KeyPress(0, 58, 0).VK, 0);
  EXPECT_EQ(TranslateVST3KeyPress(0, -3, 0).VK, 0);
}

TEST(VST3KeyTranslation, CharactersGiveTextAndCodes) {
  const IKeyPress digit = TranslateVST3KeyPress(0, 130, 0);
  EXPECT_STREQ(digit.utf8, "2");
  EXPECT_EQ(digit.VK, 50);
  const IKeyPress equals = TranslateVST3KeyPress(u'=', 57, 0);
  EXPECT_STREQ(equals.utf8, "=");
  EXPECT_EQ(equals.VK, 0);
  const IKeyPress space = TranslateVST3KeyPress(0, 7, 0);
  EXPECT_STREQ(space.utf8, " ");
  EXPECT_EQ(space.VK, 32);
  EXPECT_EQ(TranslateVST3KeyPress(u'q', 0, 0).VK, 'Q');
  EXPECT_STREQ(TranslateVST3KeyPress(u'q', 0, 0).utf8, "q");
  EXPECT_EQ(TranslateVST3KeyPress(u'7', 0, 0).VK, '7');
  EXPECT_EQ(TranslateVST3KeyPress(u'-', 0, 0).VK, 0);
  // Characters of more than one UTF-8 byte travel as key codes only.
  EXPECT_STREQ(TranslateVST3KeyPress(u'ä', 0, 0).utf8, "");
  EXPECT_STREQ(TranslateVST3KeyPress(0, 20000, 0).utf8, "");
  EXPECT_STREQ(TranslateVST3KeyPress(0, 11, 0).utf8, "");
}

TEST(VST3KeyTranslation, ModifierBitsMapToShiftControlAlt) {
  const IKeyPress shift = TranslateVST3KeyPress(u'a', 0, 1);
  EXPECT_TRUE(shift.S);
  EXPECT_FALSE(shift.C);
  EXPECT_FALSE(shift.A);
  const IKeyPress alt = TranslateVST3KeyPress(u'a', 0, 2);
  EXPECT_TRUE(alt.A);
  EXPECT_FALSE(alt.C);
  const IKeyPress command = TranslateVST3KeyPress(u'a', 0, 4);
  EXPECT_TRUE(command.C);
  EXPECT_FALSE(command.S);
}

} // namespace
