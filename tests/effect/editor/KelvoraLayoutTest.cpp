#include "EditorInProcess.h"
#include "IBKnobControl.h"
#include "IBKnobRotaterControl.h"
#include "IBSwitchControl.h"
#include "IBitmapControl.h"
#include "ICornerResizerControl.h"
#include "ITextControl.h"
#include "KelvoraEditor.h"
#include "KelvoraParamTable.h"
#include "LayoutPoints.h"

#include <algorithm>
#include <iterator>
#include <typeinfo>

namespace {

const std::type_info& TypeOf(LayoutControl control) {
  switch (control) {
  case LayoutControl::kBackground:
    return typeid(IBitmapControl);
  case LayoutControl::kVersionLine:
    return typeid(ITextControl);
  case LayoutControl::kFrameKnob:
    return typeid(IBKnobControl);
  case LayoutControl::kRotater:
    return typeid(IBKnobRotaterControl);
  case LayoutControl::kSwitch:
    break;
  }
  return typeid(IBSwitchControl);
}

int ParamOf(const LayoutRow& row) {
  return *row.param ? FindParamBySymbol(kKelvoraParams, row.param) : kNoParameter;
}

// Where a row's image goes, one frame of it at the row's position, in UI units.
IRECT RectOf(const LayoutRow& row) {
  const FrameSize size = FrameSizeOf(row.image);
  return IRECT(static_cast<float>(row.x), static_cast<float>(row.y),
               static_cast<float>(row.x + size.w), static_cast<float>(row.y + size.h));
}

// The rows that draw a control's own image (not the background).
bool DrawsControlImage(const LayoutRow& row) {
  return *row.image && row.control != LayoutControl::kBackground;
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
  ASSERT_EQ(g->ControlCount(), kKelvoraLayoutRows);

  for (int i = 0; i < kKelvoraLayoutRows; ++i) {
    SCOPED_TRACE(i);
    const LayoutRow& row = kKelvoraLayout[i];
    IControl* c = g->ControlAt(i);
    EXPECT_EQ(typeid(*c), TypeOf(row.control));
    EXPECT_EQ(c->BoundParam(), ParamOf(row));
    EXPECT_STREQ(c->GetGroup(), "");
    if (!*row.image) continue;
    ASSERT_NE(FrameSizeOf(row.image).image, nullptr) << row.image;
    EXPECT_EQ(c->GetRECT(), RectOf(row));
    const IBitmapHandle& bitmap = dynamic_cast<IBitmapBase*>(c)->GetBitmap();
    EXPECT_TRUE(bitmap.IsValid());
    EXPECT_EQ(bitmap.GetResourceName(), row.image);
    EXPECT_EQ(bitmap.N(), row.frames);
  }
}

TEST_F(KelvoraLayoutTest, VersionLineNamesVersionArchitectureAndApiCentredInItsCorner) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  const auto row =
      std::find_if(std::begin(kKelvoraLayout), std::end(kKelvoraLayout),
                   [](const LayoutRow& r) { return r.control == LayoutControl::kVersionLine; });
  ASSERT_NE(row, std::end(kKelvoraLayout));
  auto* line = dynamic_cast<ITextControl*>(
      g->ControlAt(static_cast<int>(std::distance(std::begin(kKelvoraLayout), row))));
  ASSERT_NE(line, nullptr);
  EXPECT_STREQ(line->GetStr(), "v1.1.5 x86-64 VST3");
  EXPECT_EQ(line->GetBGColor(), COLOR_TRANSPARENT);
  const IText& style = line->GetText();
  EXPECT_STREQ(style.mFont, "Roboto-Regular");
  EXPECT_FLOAT_EQ(style.mSize, 20.f);
  EXPECT_EQ(style.mFGColor, COLOR_WHITE);
  EXPECT_EQ(style.mAlign, kAlignCenter);
  EXPECT_EQ(style.mVAlign, kVAlignMiddle);
  // Sized to the measured text and centred in the box from its position to the corner.
  const IRECT r = line->GetRECT();
  EXPECT_NEAR(r.MW(), (row->x + 1630.f) / 2.f, 1.f);
  EXPECT_NEAR(r.MH(), (row->y + 1010.f) / 2.f, 1.f);
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
  const auto expectScale = [&](float scale) {
    for (int i = 0; i < kKelvoraLayoutRows; ++i) {
      if (DrawsControlImage(kKelvoraLayout[i])) {
        EXPECT_FLOAT_EQ(scaleOf(i), scale) << i;
      }
    }
  };
  expectScale(1.f);
  g->SetScreenScale(2.f);
  expectScale(2.f);
  // Positions stay in UI units.
  const int last = kKelvoraLayoutRows - 1;
  EXPECT_EQ(g->ControlAt(last)->GetRECT(), RectOf(kKelvoraLayout[last]));
}

TEST_F(KelvoraLayoutTest, LayoutAfterAResizeKeepsTheControlsAndReopeningRebuildsThem) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  IControl* first = g->ControlAt(5);
  g->Resize(1630, 1010, 0.75f, false);
  EXPECT_EQ(g->ControlCount(), kKelvoraLayoutRows);
  EXPECT_EQ(g->ControlAt(5), first);

  mPlug->CloseEditor();
  g = Open(1.f);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->ControlCount(), kKelvoraLayoutRows);
  EXPECT_FLOAT_EQ(g->DrawScale(), 0.75f);
}

} // namespace
