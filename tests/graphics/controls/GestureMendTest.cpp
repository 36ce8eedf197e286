#include "ControlsTestGraphics.h"

#include "IBKnobControl.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

int Count(const std::vector<std::string>& events, const std::string& what) {
  return static_cast<int>(std::count(events.begin(), events.end(), what));
}

// An open editor with a bound knob, mid-drag.
struct DraggingEditor {
  EditorFunctionsDelegate dlg;
  BitmapStore store;
  IBKnobControl* knob = nullptr;

  DraggingEditor() {
    store.Define("Knob.png", 50, 50);
    dlg.InstallMakeGraphics(
        [this]() -> IGraphics* { return new ControlsGraphics(dlg, store, 400, 300, 1.f); });
    dlg.InstallLayout([this](IGraphics* g) {
      if (g->ControlCount() > 0) return;
      knob = new IBKnobControl(IRECT(0, 0, 50, 50), g->LoadBitmapResource("Knob.png"),
                               TestDelegate::kGain);
      g->AddControl(knob);
    });
    dlg.OpenEditor(nullptr);
    ui().OnMouseDown(Point(25, 25));
    ui().OnMouseDrag(Point(25, 15, IMouseMod(true), 0.f, -10.f));
  }
  IGraphics& ui() { return *dlg.GetUI(); }
  void Release() { dlg.GetUI() ? ui().OnMouseUp(Point(25, 15)) : void(); }
};

} // namespace

TEST(EditGesture, EndsOnceWhenAResizeDropsTheDraggedControl) {
  DraggingEditor e;
  ASSERT_EQ(Count(e.dlg.events, "begin 0"), 1);
  e.ui().Resize(500, 300, 1.f, true);
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
  EXPECT_EQ(e.dlg.events.back(), "end 0");
  e.Release();
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
  EXPECT_FALSE(e.ui().CursorIsHidden());
}

TEST(EditGesture, EndsOnceWhenTheDraggedControlIsDeleted) {
  DraggingEditor e;
  e.ui().DeleteControl(e.knob);
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
  e.Release();
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
}

TEST(EditGesture, EndsOnceWhenTheEditorCloses) {
  DraggingEditor e;
  e.dlg.CloseEditor();
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
  EXPECT_EQ(e.dlg.GetUI(), nullptr);
}

TEST(EditGesture, OrdinaryDragEndsOnMouseUpOnly) {
  DraggingEditor e;
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 0);
  e.Release();
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
  e.ui().Resize(500, 300, 1.f, true);
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
}

TEST(EditGesture, PathsThatOpenNoGestureEndNone) {
  DraggingEditor e;
  e.Release();
  e.dlg.events.clear();
  // A double click resets to the default without a gesture of its own.
  e.ui().OnMouseDblClick(25, 25, IMouseMod(true));
  e.ui().OnMouseUp(Point(25, 25));
  // A right click goes to the host's menu.
  e.ui().OnMouseDown(Point(25, 25, IMouseMod(false, true)));
  e.ui().OnMouseUp(Point(25, 25));
  EXPECT_EQ(Count(e.dlg.events, "begin 0"), 0);
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 0);
  EXPECT_EQ(e.dlg.hostMenuParam, TestDelegate::kGain);
}

TEST(EditGesture, RightClickDuringADragEndsTheDrag) {
  DraggingEditor e;
  e.ui().OnMouseDown(Point(25, 15, IMouseMod(true, true)));
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
  EXPECT_EQ(e.dlg.hostMenuParam, TestDelegate::kGain);
  e.Release();
  EXPECT_EQ(Count(e.dlg.events, "end 0"), 1);
}
