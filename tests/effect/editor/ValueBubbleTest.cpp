// Before any X11 header: Xlib defines macros (None, Bool) that clash with gtest's names.
#include <gtest/gtest.h>

#include "BubbleEditor.h"
#include "IBubbleControl.h"
#include "IParam.h"
#include "KelvoraParams.h"
#include "Utf16Text.h"

#include <cstdlib>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The bubble's fill, 0xRRGGBB, as it stands over any picture (alpha 238 of 255).
bool IsBubbleFill(uint32_t p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return r >= 25 && r <= 45 && g >= 20 && g <= 40 && b >= 16 && b <= 36;
}

class ValueBubbleTest : public BubbleEditor {
protected:
  void SetUp() override {
    BubbleEditor::SetUp();
    if (mDisplay) {
      ASSERT_EQ(mPlug->initialize(nullptr), kResultOk);
    }
  }
  void TearDown() override {
    if (mPlug) mPlug->terminate();
    BubbleEditor::TearDown();
  }

  IBubbleControl& Bubble() {
    IBubbleControl* b = mPlug->GetUI()->GetBubbleControl();
    EXPECT_NE(b, nullptr);
    return *b;
  }

  // What a host shows for the parameter now: its name, its value text, its unit.
  std::string HostText(ParamID id) {
    ParameterInfo info{};
    for (int32 i = 0; i < mPlug->getParameterCount(); ++i)
      if (mPlug->getParameterInfo(i, info) == kResultOk && info.id == id) break;
    EXPECT_EQ(info.id, id);
    String128 value{};
    EXPECT_EQ(mPlug->getParamStringByValue(id, mPlug->getParamNormalized(id), value), kResultOk);
    std::string text = Utf16ToUtf8(info.title, 128, 512) + " " + Utf16ToUtf8(value, 128, 512);
    const std::string units = Utf16ToUtf8(info.units, 128, 512);
    return units.empty() ? text : text + " " + units;
  }

  // Pixels of the bubble's fill inside its rectangle, as drawn in the window.
  int FillPixels(const IRECT& r) {
    const float ppu = PixelsPerUnit();
    const Screenshot shot = Shot();
    int n = 0;
    for (int y = static_cast<int>(r.T * ppu); y < static_cast<int>(r.B * ppu); ++y)
      for (int x = static_cast<int>(r.L * ppu); x < static_cast<int>(r.R * ppu); ++x)
        n += IsBubbleFill(shot.At(x, y)) ? 1 : 0;
    return n;
  }
  static int Area(const IRECT& r, float ppu) {
    return static_cast<int>(r.W() * ppu) * static_cast<int>(r.H() * ppu);
  }
};

TEST_F(ValueBubbleTest, HoverShowsTheHostsTextAndLeavingTakesItAwayShortlyAfter) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  PointerTo(kBackgroundX, kBackgroundY);
  mLoop.Pump(700);
  EXPECT_FALSE(Bubble().IsShown());
  const Screenshot before = Shot();

  ASSERT_EQ(mPlug->setParamNormalized(kInputGain, 0.4), kResultOk);
  PointerTo(kInputGainOverlayX, kInputGainOverlayY);
  mLoop.Pump(100);
  ASSERT_TRUE(Bubble().IsShown());
  EXPECT_EQ(Bubble().GetStr(), "Input Gain 80.00 %");
  EXPECT_EQ(Bubble().GetStr(), HostText(kInputGain));
  const IRECT r = Bubble().GetRECT();
  // Drawn above the knob's overlay, mostly its fill, with the text in light pixels.
  EXPECT_LE(r.B, 192.f);
  const float ppu = PixelsPerUnit();
  EXPECT_GT(FillPixels(r), Area(r, ppu) / 2);

  // Still there just after leaving, gone half a second later with the picture back.
  PointerTo(kBackgroundX, kBackgroundY);
  EXPECT_TRUE(Bubble().IsShown());
  mLoop.Pump(800);
  EXPECT_FALSE(Bubble().IsShown());
  const Screenshot after = Shot();
  int differing = 0;
  for (int y = static_cast<int>(r.T * ppu); y < static_cast<int>(r.B * ppu); ++y)
    for (int x = static_cast<int>(r.L * ppu); x < static_cast<int>(r.R * ppu); ++x)
      differing += before.At(x, y) != after.At(x, y) ? 1 : 0;
  EXPECT_EQ(differing, 0);
}

TEST_F(ValueBubbleTest, DragShowsTheValueAndFollowsHostAutomationArrivingMeanwhile) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  PointerTo(kInputGainOverlayX, kInputGainOverlayY);
  Button(true);
  MoveBy(0, -20);
  MoveBy(0, -20);
  ASSERT_TRUE(Bubble().IsShown());
  const IParam& gain = *mPlug->GetParam(kInputGain);
  EXPECT_GT(gain.Value(), 32.);
  EXPECT_EQ(Bubble().GetStr(), HostText(kInputGain));

  // Automation from the host while the knob is held: the bubble shows what the host and the
  // renderer now use.
  ASSERT_EQ(mPlug->setParamNormalized(kInputGain, 0.9), kResultOk);
  mLoop.Pump(100);
  EXPECT_EQ(Bubble().GetStr(), "Input Gain 180.00 %");

  // The hand moves on: the bubble follows it again.
  MoveBy(0, 20);
  EXPECT_EQ(Bubble().GetStr(), HostText(kInputGain));
  EXPECT_NE(Bubble().GetStr(), "Input Gain 180.00 %");

  // Released, then the pointer leaves: it stays a moment, then goes.
  Button(false);
  PointerTo(kBackgroundX, kBackgroundY);
  EXPECT_TRUE(Bubble().IsShown());
  mLoop.Pump(800);
  EXPECT_FALSE(Bubble().IsShown());
}

TEST_F(ValueBubbleTest, NearTheEdgesTheBubbleStaysInsideTheEditor) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  const IRECT editor(0.f, 0.f, 1630.f, 1010.f);
  const auto inside = [&](const IRECT& r) {
    return r.L >= editor.L && r.T >= editor.T && r.R <= editor.R && r.B <= editor.B;
  };

  // The lamp touches the top: its bubble goes below it.
  PointerTo(kLampX, kLampY);
  ASSERT_TRUE(Bubble().IsShown());
  EXPECT_EQ(Bubble().GetStr(), HostText(kBypass));
  IRECT r = Bubble().GetRECT();
  EXPECT_TRUE(inside(r));
  EXPECT_GE(r.T, 64.f);

  // The grid sits at the right edge: its bubble is moved in from the side.
  PointerTo(kOversamplingX, kOversamplingY);
  EXPECT_EQ(Bubble().GetStr(), HostText(kOversampling));
  r = Bubble().GetRECT();
  EXPECT_TRUE(inside(r));
  EXPECT_LE(r.B, 890.f);
  EXPECT_LT(r.L, 1575.f - r.W() / 2.f);
  // Drawn whole: its right end is inside the window's last pixels.
  EXPECT_GT(FillPixels(r), Area(r, PixelsPerUnit()) / 2);

  // The smallest editor too.
  g->Resize(1630, 1010, g->GetMinDrawScale(), true);
  mLoop.Pump(150);
  PointerTo(kOversamplingX, kOversamplingY);
  EXPECT_TRUE(inside(Bubble().GetRECT()));
}

// The pointer rests while the picture doubles under it: it no longer stands on the knob, and
// the bubble goes at once; on the knob again, the bubble is back at the new size.
TEST_F(ValueBubbleTest, ResizeUnderTheRestingPointerTakesTheBubbleAwayUntilItMovesAgain) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  PointerTo(kInputGainOverlayX, kInputGainOverlayY);
  ASSERT_TRUE(Bubble().IsShown());
  const std::string text = Bubble().GetStr();
  const IRECT small = Bubble().GetRECT();

  g->Resize(1630, 1010, 1.f, true);
  EXPECT_FALSE(Bubble().IsShown());
  EXPECT_EQ(g->GetMouseOverControl(), nullptr);
  mLoop.Pump(500);
  EXPECT_FALSE(Bubble().IsShown());

  PointerTo(kInputGainOverlayX, kInputGainOverlayY);
  ASSERT_TRUE(Bubble().IsShown());
  EXPECT_EQ(Bubble().GetStr(), text);
  // The same size in window points, so half as many UI units at twice the scale, still
  // centred over the knob and every edge on a pixel.
  const IRECT big = Bubble().GetRECT();
  EXPECT_NEAR(big.W(), small.W() / 2.f, 5.f);
  EXPECT_NEAR(big.MW(), kInputGainOverlayX, 1.f);
  EXPECT_LE(big.B, 192.f);
  for (float edge : {big.L, big.T, big.R, big.B})
    EXPECT_FLOAT_EQ(edge * g->BackingPixelScale(), std::round(edge * g->BackingPixelScale()));
  EXPECT_FLOAT_EQ(PixelsPerUnit(), 1.f);
  EXPECT_GT(FillPixels(big), Area(big, 1.f) / 2);

  // Once it has gone, the picture differs from the one with the bubble inside its rectangle
  // only: nothing of the larger bubble of the smaller editor is left around it.
  const Screenshot shown = Shot();
  PointerTo(kBackgroundX, kBackgroundY);
  mLoop.Pump(800);
  ASSERT_FALSE(Bubble().IsShown());
  const Screenshot gone = Shot();
  int inside = 0, outside = 0;
  for (int y = 0; y < gone.height; ++y)
    for (int x = 0; x < gone.width; ++x) {
      if (shown.At(x, y) == gone.At(x, y)) continue;
      const bool in = big.GetPadded(1.f).Contains(static_cast<float>(x), static_cast<float>(y));
      (in ? inside : outside) += 1;
    }
  EXPECT_GT(inside, Area(big, 1.f) / 2);
  EXPECT_EQ(outside, 0);
}

TEST_F(ValueBubbleTest, AClickWhereTheBubbleStandsReachesTheControlUnderIt) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  // The grid's bubble reaches over the lower edge of the "Delta" switch above it.
  PointerTo(kOversamplingX, kOversamplingY);
  ASSERT_TRUE(Bubble().IsShown());
  const float x = 1575.f, y = 843.f;
  ASSERT_TRUE(Bubble().GetRECT().Contains(x, y));
  ASSERT_TRUE(g->ControlAt(18)->GetRECT().Contains(x, y));
  ASSERT_EQ(mPlug->GetParam(kDelta)->Value(), 0.);

  // Press where the bubble is, before any tick could move it.
  mPointer.ClickAt(EditorWindow(), x, y, PixelsPerUnit(), 100);
  EXPECT_EQ(mPlug->GetParam(kDelta)->Value(), 1.);
  EXPECT_EQ(Bubble().GetStr(), HostText(kDelta));
}

// Writes the pictures of the documentation when KELVORA_WRITE_SCREENSHOTS is set.
TEST_F(ValueBubbleTest, WritesDocumentationScreenshotsWhenAsked) {
  if (!std::getenv("KELVORA_WRITE_SCREENSHOTS")) GTEST_SKIP() << "KELVORA_WRITE_SCREENSHOTS unset";
  for (float scale : {1.f, 2.f}) {
    ASSERT_NE(Open(scale), nullptr);
    ASSERT_EQ(mPlug->setParamNormalized(kInputGain, 0.4), kResultOk);
    PointerTo(kInputGainOverlayX, kInputGainOverlayY);
    mLoop.Pump(200);
    ASSERT_TRUE(Bubble().IsShown());
    const std::string path = scale == 1.f ? KELVORA_DOCS_DIR "/editor-bubble.png"
                                          : KELVORA_DOCS_DIR "/editor-bubble@2x.png";
    EXPECT_TRUE(Shot().WritePng(path));
    mPlug->CloseEditor();
  }
}

} // namespace
