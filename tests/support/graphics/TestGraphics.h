#pragma once

#include "IGraphics.h"
#include "TestDelegate.h"

#include <string>
#include <vector>

// Records the drawing and platform calls instead of doing them.
class TestGraphics : public IGraphics {
public:
  TestGraphics(IGEditorDelegate& dlg, int w = 400, int h = 300, float scale = 1.f)
      : IGraphics(dlg, w, h, 60, scale) {}

  void EndFrame() override { ++frames; }
  void DrawBitmapRegion(const IBitmapHandle&, const IRECT& dest, int srcX, int srcY,
                        const IBlendMode*) override {
    bitmapDests.push_back(dest);
    srcOffsets.push_back({srcX, srcY});
  }
  void ClearPath() override {}
  void ClosePath() override {}
  void AddArc(int, float, float, float, float, float) override {}
  void MoveTo(float, float) override {}
  void LineTo(float, float) override {}
  void StrokePath(const IFillPattern&, float, const IStrokeStyle&, const IBlendMode*) override {}
  void FillPath(const IFillPattern& pattern, const IFillStyle&, const IBlendMode*) override {
    fills.push_back(pattern.GetStopColor(0));
  }
  void SetPathTransform(const IMatrix& m) override { transforms.push_back(m); }
  void SetClipRect(const IRECT& r) override { clips.push_back(r); }
  void ResizeDrawSurface() override { ++surfaceResizes; }
  float MeasureTextBounds(const IText&, const char*, IRECT& bounds) override { return bounds.W(); }
  void RenderText(const IText&, const char* str, const IRECT&, const IBlendMode*) override {
    texts.push_back(str);
  }
  void* OpenEditorWindow(void* parent) override { return parent; }
  void CloseEditorWindow() override {}
  void ReadMouseLocation(float& x, float& y) const override {
    x = mouseX;
    y = mouseY;
  }
  void ResizeEditorView() override { ++viewResizes; }
  void ShowNativeTextEntry(int paramIdx, const IText&, const IRECT& bounds, int,
                           const char* str) override {
    textEntryParam = paramIdx;
    textEntryBounds = bounds;
    textEntryString = str;
  }
  IPopupMenu* ShowNativePopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override {
    shownMenu = &menu;
    menuBounds = bounds;
    isAsync = menuAsync;
    if (menuChoice < 0) return nullptr;
    menu.SetChosenItemIdx(menuChoice);
    return &menu;
  }
  bool SupportsImageExtension(const char*) const override { return true; }
  const char* BundleIdentifier() const override { return "test.kelvora"; }
  void UpdateTooltips() override {}

  int frames = 0;
  int surfaceResizes = 0;
  int viewResizes = 0;
  std::vector<IRECT> bitmapDests;
  std::vector<std::pair<int, int>> srcOffsets;
  std::vector<IColor> fills;
  std::vector<IMatrix> transforms;
  std::vector<IRECT> clips;
  std::vector<std::string> texts;
  float mouseX = 0.f, mouseY = 0.f;
  int textEntryParam = -2;
  IRECT textEntryBounds;
  std::string textEntryString;
  IPopupMenu* shownMenu = nullptr;
  IRECT menuBounds;
  int menuChoice = -1;
  bool menuAsync = false;
};

// A plain control that counts what reaches it.
class ProbeControl : public IControl {
public:
  using IControl::IControl;
  void Draw(IGraphics&) override { ++draws; }
  void OnMouseDown(float x, float y, const IMouseMod& mod) override {
    ++downs;
    IControl::OnMouseDown(x, y, mod);
  }
  void OnMouseUp(float, float, const IMouseMod&) override { ++ups; }
  void OnMouseDrag(float, float, float, float, const IMouseMod&) override { ++drags; }
  void OnMouseWheel(float, float, const IMouseMod&, float) override { ++wheels; }
  void OnTextEntered(const char* text, int) override { entered = text; }
  void BuildContextMenu(IPopupMenu& menu) override { menu.AddItem("Probe"); }
  int draws = 0, downs = 0, ups = 0, drags = 0, wheels = 0;
  std::string entered;
};

inline IMouseInfoList Point(float x, float y, IMouseMod mod = IMouseMod(true), float dX = 0.f,
                            float dY = 0.f) {
  IMouseInfo info;
  info.x = x;
  info.y = y;
  info.dX = dX;
  info.dY = dY;
  info.ms = mod;
  return {info};
}

// A delegate owning a recording context, as an open editor would be.
struct Editor {
  TestDelegate dlg;
  TestGraphics* g;
  Editor(int w = 400, int h = 300, float scale = 1.f) : g(new TestGraphics(dlg, w, h, scale)) {
    dlg.Attach(g);
  }
};
