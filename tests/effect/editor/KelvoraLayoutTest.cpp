#include "EditorInProcess.h"
#include "IBKnobControl.h"
#include "IBKnobRotaterControl.h"
#include "IBSwitchControl.h"
#include "IBitmapControl.h"
#include "ICornerResizerControl.h"
#include "ITextControl.h"
#include "KelvoraEditor.h"

#include <typeinfo>

namespace {

enum Kind { kText, kKnob, kRotater, kSwitch };

struct Row {
  Kind kind;
  float x, y;
  float w, h; // one frame of the image, in UI units
  int param;
};

// The editor's controls after the background, in attach order.
const Row kRows[] = {
    {kText, 1480, 980, 150, 30, kNoParameter},
    {kKnob, 824, 0, 64, 64, 0},
    {kRotater, 558, 630, 112, 112, 8},
    {kSwitch, 516, 752, 196, 64, 1},
    {kSwitch, 1339, 354, 74, 150, 0},
    {kRotater, 137, 286, 260, 260, 4},
    {kRotater, 137, 683, 260, 260, 6},
    {kRotater, 891, 683, 260, 260, 7},
    {kRotater, 1246, 683, 260, 260, 5},
    {kRotater, 137, 206, 260, 260, 4},
    {kRotater, 137, 603, 260, 260, 6},
    {kRotater, 891, 603, 260, 260, 7},
    {kRotater, 1246, 603, 260, 260, 5},
    {kKnob, 126, 192, 280, 287, 4},
    {kKnob, 126, 590, 280, 287, 6},
    {kKnob, 882, 590, 280, 287, 7},
    {kKnob, 1237, 590, 280, 287, 5},
    {kSwitch, 1525, 790, 100, 56, 3},
    {kSwitch, 1525, 890, 100, 78, 2},
};

const std::type_info& TypeOf(Kind kind) {
  switch (kind) {
  case kText:
    return typeid(ITextControl);
  case kKnob:
    return typeid(IBKnobControl);
  case kRotater:
    return typeid(IBKnobRotaterControl);
  case kSwitch:
    break;
  }
  return typeid(IBSwitchControl);
}

// The effect's editor opened in process, for the layout's own numbers.
class KelvoraLayoutTest : public EditorInProcess {
protected:
  IGraphicsLinux* Open(float screenScale) { return EditorInProcess::Open(screenScale, 50); }
};

TEST_F(KelvoraLayoutTest, ContextHasTheEditorSizeScaleAndIdentity) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Width(), 1630);
  EXPECT_EQ(g->Height(), 1010);
  EXPECT_FLOAT_EQ(g->DrawScale(), 0.5f);
  EXPECT_EQ(g->FPS(), 60);
  EXPECT_STREQ(g->BundleIdentifier(), "com.Murkwhale.vst3.Kelvora");
  EXPECT_STREQ(g->GetSharedResourcesSubPath(), "Kelvora");
  EXPECT_TRUE(g->GetHoverTracking());
  EXPECT_TRUE(g->GetTooltipsEnabled());
  EXPECT_TRUE(g->GetLayoutOnResize());
  EXPECT_EQ(g->GetResizerMode(), kResizeModeScale);
  ASSERT_NE(g->GetCornerResizer(), nullptr);
  // 20 window points at draw scale 0.5: the bottom-right 40 units.
  const IRECT corner = g->GetCornerResizer()->GetRECT();
  EXPECT_FLOAT_EQ(corner.L, 1590.f);
  EXPECT_FLOAT_EQ(corner.T, 970.f);
  EXPECT_NE(g->GetTextEntryControl(), nullptr);
}

TEST_F(KelvoraLayoutTest, ControlsComeInTheTableOrderWithTheirImagesAndParameters) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  ASSERT_EQ(g->ControlCount(), 20);

  IControl* background = g->ControlAt(0);
  ASSERT_EQ(typeid(*background), typeid(IBitmapControl));
  EXPECT_EQ(background->BoundParam(), kNoParameter);
  EXPECT_EQ(background->GetRECT(), IRECT(0.f, 0.f, 1630.f, 1010.f));

  for (int i = 1; i < 20; ++i) {
    SCOPED_TRACE(i);
    const Row& row = kRows[i - 1];
    IControl* c = g->ControlAt(i);
    EXPECT_EQ(typeid(*c), TypeOf(row.kind));
    EXPECT_EQ(c->BoundParam(), row.param);
    EXPECT_STREQ(c->GetGroup(), "");
    if (row.kind == kText) continue;
    EXPECT_EQ(c->GetRECT(), IRECT(row.x, row.y, row.x + row.w, row.y + row.h));
    EXPECT_TRUE(dynamic_cast<IBitmapBase*>(c)->GetBitmap().IsValid());
  }
}

TEST_F(KelvoraLayoutTest, VersionLineNamesVersionArchitectureAndApiCentredInItsCorner) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  auto* line = dynamic_cast<ITextControl*>(g->ControlAt(1));
  ASSERT_NE(line, nullptr);
  EXPECT_STREQ(line->GetStr(), "v1.1.5 x86-64 VST3");
  EXPECT_EQ(line->GetBGColor(), COLOR_TRANSPARENT);
  const IText& style = line->GetText();
  EXPECT_STREQ(style.mFont, "Roboto-Regular");
  EXPECT_FLOAT_EQ(style.mSize, 20.f);
  EXPECT_EQ(style.mFGColor, COLOR_WHITE);
  EXPECT_EQ(style.mAlign, kAlignCenter);
  EXPECT_EQ(style.mVAlign, kVAlignMiddle);
  // Sized to the measured text and centred where the 150 × 30 box was.
  const IRECT r = line->GetRECT();
  EXPECT_NEAR(r.MW(), 1555.f, 1.f);
  EXPECT_NEAR(r.MH(), 995.f, 1.f);
  EXPECT_GT(r.W(), 100.f);
  EXPECT_LT(r.H(), 30.f);
}

TEST_F(KelvoraLayoutTest, ImagesAreDrawnAtTheScreensDensity) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  const auto scaleOf = [g](int index) {
    auto* b = dynamic_cast<IBitmapBase*>(g->ControlAt(index));
    return b && b->GetBitmap().GetAPIBitmap() ? b->GetBitmap().GetAPIBitmap()->Scale() : 0.f;
  };
  for (int i = 2; i < 20; ++i)
    EXPECT_FLOAT_EQ(scaleOf(i), 1.f) << i;
  g->SetScreenScale(2.f);
  for (int i = 2; i < 20; ++i)
    EXPECT_FLOAT_EQ(scaleOf(i), 2.f) << i;
  // Positions stay in UI units.
  EXPECT_EQ(g->ControlAt(19)->GetRECT(), IRECT(1525.f, 890.f, 1625.f, 968.f));
}

TEST_F(KelvoraLayoutTest, LayoutAfterAResizeKeepsTheControlsAndReopeningRebuildsThem) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  IControl* first = g->ControlAt(5);
  g->Resize(1630, 1010, 0.75f, false);
  EXPECT_EQ(g->ControlCount(), 20);
  EXPECT_EQ(g->ControlAt(5), first);

  mPlug->CloseEditor();
  g = Open(1.f);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->ControlCount(), 20);
  EXPECT_FLOAT_EQ(g->DrawScale(), 0.75f);
}

} // namespace
