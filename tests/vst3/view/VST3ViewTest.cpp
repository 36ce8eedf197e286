#include <gtest/gtest.h>

#include "IPlugVST3View.h"
#include "Kelvora.h"
#include "VST3KeyTranslation.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <memory>

using namespace Steinberg;

namespace {

bool SameRect(const ViewRect& a, const ViewRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

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

// The view's answers that need no window, on an effect in this process.
class VST3ViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    mPlug = new Kelvora(InstanceInfo{});
    mView = owned(mPlug->createView(Vst::ViewType::kEditor));
  }
  void TearDown() override {
    mView = nullptr;
    mPlug->release();
  }
  Kelvora* mPlug = nullptr;
  IPtr<IPlugView> mView;
};

TEST_F(VST3ViewTest, OnlyTheEditorViewForX11Embedding) {
  ASSERT_TRUE(mView);
  EXPECT_EQ(mPlug->createView("other"), nullptr);
  EXPECT_EQ(mPlug->createView(nullptr), nullptr);
  EXPECT_EQ(mView->isPlatformTypeSupported("X11EmbedWindowID"), kResultTrue);
  EXPECT_EQ(mView->isPlatformTypeSupported("NSView"), kResultFalse);
  EXPECT_EQ(mView->isPlatformTypeSupported(nullptr), kResultFalse);
  EXPECT_EQ(mView->attached(reinterpret_cast<void*>(1), "HWND"), kResultFalse);
  EXPECT_EQ(mView->attached(nullptr, "X11EmbedWindowID"), kResultFalse);
  EXPECT_EQ(mView->canResize(), kResultTrue);
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(mView);
  EXPECT_TRUE(scaling);
}

TEST_F(VST3ViewTest, SizeConstraintsAreTheLimitsInHostPixels) {
  ViewRect inside(10, 10, 10 + 900, 10 + 600);
  EXPECT_EQ(mView->checkSizeConstraint(&inside), kResultTrue);
  EXPECT_TRUE(SameRect(inside, ViewRect(10, 10, 910, 610)));

  ViewRect narrow(0, 0, 805, 600);
  mView->checkSizeConstraint(&narrow);
  EXPECT_EQ(narrow.getWidth(), 815);
  EXPECT_EQ(narrow.getHeight(), 600);

  ViewRect huge(5, 5, 5 + 5000, 5 + 5000);
  mView->checkSizeConstraint(&huge);
  EXPECT_TRUE(SameRect(huge, ViewRect(5, 5, 5 + 3260, 5 + 2020)));
  EXPECT_EQ(mView->checkSizeConstraint(nullptr), kResultFalse);

  FUnknownPtr<IPlugViewContentScaleSupport> scaling(mView);
  scaling->setContentScaleFactor(2.f);
  ViewRect small(0, 0, 1000, 1000);
  mView->checkSizeConstraint(&small);
  EXPECT_EQ(small.getWidth(), 1630);
  EXPECT_EQ(small.getHeight(), 1010);
  ViewRect size;
  ASSERT_EQ(mView->getSize(&size), kResultTrue);
  EXPECT_EQ(size.getWidth(), 3260);
  EXPECT_EQ(size.getHeight(), 2020);
}

TEST_F(VST3ViewTest, OnSizeKeepsTheHostsRectangleAndIgnoresNone) {
  EXPECT_EQ(mView->onSize(nullptr), kResultTrue);
  ViewRect size(0, 0, 700, 400);
  EXPECT_EQ(mView->onSize(&size), kResultTrue);
  EXPECT_TRUE(SameRect(static_cast<IPlugVST3View*>(mView.get())->getRect(), size));
  // Keys without an open editor are not taken.
  EXPECT_EQ(mView->onKeyDown(u'a', 0, 0), kResultFalse);
}

TEST_F(VST3ViewTest, ReleasingTheViewForgetsItAndKeepsThePlugInAliveUntilThen) {
  IPtr<IPlugView> second = owned(mPlug->createView(Vst::ViewType::kEditor));
  ASSERT_TRUE(second);
  // The instance's own reference plus one per view.
  mPlug->addRef();
  EXPECT_EQ(mPlug->release(), 3u);
  second = nullptr;
  mView = nullptr;
  mPlug->addRef();
  EXPECT_EQ(mPlug->release(), 1u);
  // A resize request after the views are gone reaches no view.
  EXPECT_TRUE(mPlug->EditorResize(700, 400));
}

} // namespace
