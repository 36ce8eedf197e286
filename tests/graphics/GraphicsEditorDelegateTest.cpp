#include "ControlsTestGraphics.h"

#include "IBKnobControl.h"
#include "IBKnobRotaterControl.h"
#include "IBSwitchControl.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int gParent = 0;

// A delegate whose installed functions make a 1630 by 1010 editor at scale 0.5 and lay out
// one large knob (shadow, body, overlay), a switch and a two-value probe.
struct EffectLikeEditor {
  EditorFunctionsDelegate dlg;
  BitmapStore store;
  int made = 0;

  EffectLikeEditor() {
    store.Define("Nuppi.png", 100, 100);
    store.Define("Flip.png", 40, 80);
    dlg.InstallMakeGraphics([this]() -> IGraphics* {
      ++made;
      return new ControlsGraphics(dlg, store, 1630, 1010, 0.5f);
    });
    dlg.InstallLayout([](IGraphics* g) {
      if (g->ControlCount() > 0) return;
      g->AddCornerResizer(kResizeModeScale, true);
      const IBitmapHandle knob = g->LoadBitmapResource("Nuppi.png", 1, false, 2);
      const IBitmapHandle flip = g->LoadBitmapResource("Flip.png", 2, false, 2);
      g->AddControl(new IBKnobRotaterControl(100, 180, knob, TestDelegate::kGain));
      g->AddControl(new IBKnobRotaterControl(100, 100, knob, TestDelegate::kGain));
      g->AddControl(new IBKnobControl(IRECT(100, 100, 200, 200), knob, TestDelegate::kGain));
      g->AddControl(new IBSwitchControl(500.f, 100.f, flip, TestDelegate::kSwitch));
      g->AddControl(
          new ProbeControl(IRECT(700, 100, 750, 150), {TestDelegate::kMode, TestDelegate::kMode}));
    });
  }
  ControlsGraphics& ui() { return *static_cast<ControlsGraphics*>(dlg.GetUI()); }
};

} // namespace

TEST(EditorLifetime, OpensThroughTheInstalledFunctions) {
  EffectLikeEditor e;
  EXPECT_EQ(e.dlg.OpenEditor(&gParent), &gParent);
  ASSERT_NE(e.dlg.GetUI(), nullptr);
  EXPECT_EQ(e.made, 1);
  EXPECT_EQ(e.ui().ControlCount(), 5);
  EXPECT_EQ(e.ui().DrawScale(), 0.5f);
  // A second opening reuses the open context.
  e.dlg.OpenEditor(&gParent);
  EXPECT_EQ(e.made, 1);
}

TEST(EditorLifetime, NoMakeGraphicsFunctionLeavesTheEditorClosed) {
  EditorFunctionsDelegate dlg;
  EXPECT_EQ(dlg.OpenEditor(&gParent), nullptr);
  EXPECT_EQ(dlg.GetUI(), nullptr);
  dlg.InstallMakeGraphics([]() -> IGraphics* { return nullptr; });
  EXPECT_EQ(dlg.OpenEditor(&gParent), nullptr);
  dlg.BuildLayout(nullptr);
  dlg.CloseEditor();
  EXPECT_EQ(dlg.closedHooks, 1);
}

TEST(EditorLifetime, ReopensAtTheLastSizeAndScale) {
  EffectLikeEditor e;
  e.dlg.OpenEditor(&gParent);
  e.ui().Resize(1400, 900, 0.8f, true);
  e.dlg.CloseEditor();
  EXPECT_EQ(e.dlg.GetUI(), nullptr);
  EXPECT_EQ(e.dlg.closedHooks, 1);
  EXPECT_EQ(e.dlg.GetLastWidth(), 1400);
  EXPECT_EQ(e.dlg.GetLastHeight(), 900);
  EXPECT_EQ(e.dlg.GetLastScale(), 0.8f);

  e.dlg.OpenEditor(&gParent);
  ASSERT_NE(e.dlg.GetUI(), nullptr);
  EXPECT_EQ(e.made, 2);
  EXPECT_EQ(e.ui().Width(), 1400);
  EXPECT_EQ(e.ui().Height(), 900);
  EXPECT_EQ(e.ui().DrawScale(), 0.8f);
  EXPECT_EQ(e.ui().ControlCount(), 5);
}

TEST(EditorLifetime, CloseReenteredFromTheWindowDeletesOnce) {
  EffectLikeEditor e;
  e.dlg.OpenEditor(&gParent);
  e.ui().closeReenters = true;
  e.dlg.CloseEditor();
  EXPECT_EQ(e.dlg.GetUI(), nullptr);
  EXPECT_EQ(e.dlg.closedHooks, 1);
}

TEST(EditorSizeRecord, RoundTripsTwelveBytes) {
  EffectLikeEditor e;
  e.dlg.OpenEditor(&gParent);
  e.ui().Resize(1500, 950, 0.75f, true);
  IByteChunk chunk;
  chunk.Put(int32_t(77));
  ASSERT_TRUE(e.dlg.WriteEditorState(chunk));
  ASSERT_EQ(chunk.Size(), 16);
  int32_t w = 0, h = 0;
  float s = 0.f;
  std::memcpy(&w, chunk.GetData() + 4, 4);
  std::memcpy(&h, chunk.GetData() + 8, 4);
  std::memcpy(&s, chunk.GetData() + 12, 4);
  EXPECT_EQ(w, 1500);
  EXPECT_EQ(h, 950);
  EXPECT_EQ(s, 0.75f);

  e.dlg.CloseEditor();
  EditorFunctionsDelegate other;
  EXPECT_EQ(other.ReadEditorState(chunk, 4), 16);
  EXPECT_EQ(other.GetLastWidth(), 1500);
  EXPECT_EQ(other.GetLastHeight(), 950);
  EXPECT_EQ(other.GetLastScale(), 0.75f);
  // Closed, the remembered values are written.
  IByteChunk again;
  other.WriteEditorState(again);
  IByteChunk record;
  record.PutBytes(chunk.GetData() + 4, 12);
  EXPECT_TRUE(again.IsEqual(record));
}

TEST(EditorSizeRecord, ReadIntoAnOpenEditorResizesIt) {
  EffectLikeEditor e;
  e.dlg.OpenEditor(&gParent);
  IByteChunk chunk;
  chunk.Put(int32_t(1200));
  chunk.Put(int32_t(700));
  chunk.Put(0.6f);
  EXPECT_EQ(e.dlg.ReadEditorState(chunk, 0), 12);
  EXPECT_EQ(e.ui().Width(), 1200);
  EXPECT_EQ(e.ui().Height(), 700);
  EXPECT_EQ(e.ui().DrawScale(), 0.6f);
}

TEST(EditorSizeRecord, ShortRecordNeverResizesAnOpenEditor) {
  EffectLikeEditor e;
  e.dlg.OpenEditor(&gParent);
  const size_t resizes = e.dlg.resizes.size();
  IByteChunk chunk;
  chunk.Put(int32_t(1200));
  chunk.Put(int32_t(700));
  chunk.PutBytes("\x01\x02", 2);
  for (int start : {0, 4, 11, 14, -3}) {
    EXPECT_EQ(e.dlg.ReadEditorState(chunk, start), -1) << start;
    EXPECT_EQ(e.ui().Width(), 1630);
    EXPECT_EQ(e.ui().Height(), 1010);
    EXPECT_EQ(e.ui().DrawScale(), 0.5f);
  }
  EXPECT_EQ(e.dlg.resizes.size(), resizes);
}

TEST(EditorSizeRecord, ShortRecordWhileClosedIsRememberedWithZeros) {
  EffectLikeEditor e;
  IByteChunk chunk;
  chunk.Put(int32_t(1200));
  chunk.Put(int32_t(700));
  EXPECT_EQ(e.dlg.ReadEditorState(chunk, 0), -1);
  EXPECT_EQ(e.dlg.GetLastWidth(), 1200);
  EXPECT_EQ(e.dlg.GetLastHeight(), 700);
  EXPECT_EQ(e.dlg.GetLastScale(), 0.f);
  e.dlg.OpenEditor(&gParent);
  EXPECT_EQ(e.ui().Width(), 1630);
  EXPECT_EQ(e.ui().DrawScale(), 0.5f);
}

TEST(ParamValuesToEditor, ReachEveryBoundControlButTheDraggedOne) {
  EffectLikeEditor e;
  e.dlg.OpenEditor(&gParent);
  IControl* shadow = e.ui().ControlAt(0);
  IControl* body = e.ui().ControlAt(1);
  IControl* overlay = e.ui().ControlAt(2);
  e.dlg.SendParamValueToEditor(TestDelegate::kGain, 0.25, true);
  EXPECT_EQ(overlay->GetValue(0), 0.25);

  e.ui().OnMouseDown(Point(150, 150));
  e.dlg.SendParamValueToEditor(TestDelegate::kGain, 75., false);
  EXPECT_DOUBLE_EQ(shadow->GetValue(0), 0.75);
  EXPECT_DOUBLE_EQ(body->GetValue(0), 0.75);
  EXPECT_EQ(overlay->GetValue(0), 0.25);
  e.ui().OnMouseUp(Point(150, 150));

  // A real value beyond the range shows at the clamped end.
  e.dlg.SendParamValueToEditor(TestDelegate::kGain, 250., false);
  EXPECT_EQ(overlay->GetValue(0), 1.);
  EXPECT_EQ(shadow->GetValue(0), 1.);
}

TEST(ParamValuesToEditor, ReachBothValuesBoundToOneParameter) {
  EffectLikeEditor e;
  e.dlg.OpenEditor(&gParent);
  IControl* probe = e.ui().ControlAt(4);
  e.dlg.SendParamValueToEditor(TestDelegate::kMode, 2., false);
  EXPECT_DOUBLE_EQ(probe->GetValue(0), 2. / 3.);
  EXPECT_DOUBLE_EQ(probe->GetValue(1), 2. / 3.);
}

TEST(ParamValuesToEditor, ScreenScaleReachesAnOpenEditorOnly) {
  EffectLikeEditor e;
  e.dlg.SetScreenScale(2.f);
  e.dlg.OpenEditor(&gParent);
  EXPECT_EQ(e.ui().ScreenScale(), 1.f);
  e.dlg.SetScreenScale(2.f);
  EXPECT_EQ(e.ui().ScreenScale(), 2.f);
  auto* body = dynamic_cast<IBKnobRotaterControl*>(e.ui().ControlAt(1));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->GetBitmap().GetAPIBitmap()->Scale(), 2.f);
}
