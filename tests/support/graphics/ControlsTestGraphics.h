#pragma once

#include "TestGraphics.h"

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Bitmaps by name and density without files: every name exists at every density, its
// pixel size being its point size times the density.
class BitmapStore {
public:
  void Define(const std::string& name, int pointW, int pointH) { mSizes[name] = {pointW, pointH}; }
  APIBitmap* Get(const std::string& name, int scale) {
    auto size = mSizes.find(name);
    if (size == mSizes.end() || scale < 1) return nullptr;
    auto& slot = mBitmaps[{name, scale}];
    if (!slot)
      slot =
          std::make_unique<APIBitmap>(++mNextHandle, size->second.first * scale,
                                      size->second.second * scale, static_cast<float>(scale), 1.f);
    return slot.get();
  }

private:
  std::map<std::string, std::pair<int, int>> mSizes;
  std::map<std::pair<std::string, int>, std::unique_ptr<APIBitmap>> mBitmaps;
  int mNextHandle = 0;
};

// The recording context, opened the way the platform opens it (layout, then the opened
// hook), with text measured as 8 units per character by the style's size, bitmaps from a
// store, and the transform in force at every bitmap draw.
class ControlsGraphics : public TestGraphics {
public:
  ControlsGraphics(TestDelegate& dlg, BitmapStore& store, int w = 400, int h = 300,
                   float scale = 1.f)
      : TestGraphics(dlg, w, h, scale), mStore(store) {}

  void* OpenEditorWindow(void* parent) override {
    ++opens;
    GetDelegate()->BuildLayout(this);
    GetDelegate()->EditorOpenedHook();
    return parent;
  }
  void CloseEditorWindow() override {
    ++closes;
    if (closeReenters) GetDelegate()->CloseEditor();
  }
  float MeasureTextBounds(const IText& text, const char* str, IRECT& bounds) override {
    const float w = 8.f * static_cast<float>(std::strlen(str));
    const float h = text.mSize;
    const float cx = bounds.MW(), cy = bounds.MH();
    bounds = IRECT(cx - w / 2.f, cy - h / 2.f, cx + w / 2.f, cy + h / 2.f);
    return w;
  }
  IBitmapHandle LoadBitmapResource(const char* name, int frames, bool framesAreHorizontal,
                                   int targetScale) override {
    if (targetScale == 0) targetScale = static_cast<int>(std::ceil(ScreenScale()));
    loads.push_back({name, targetScale});
    APIBitmap* bitmap = mStore.Get(name, targetScale);
    if (!bitmap) return IBitmapHandle();
    return IBitmapHandle(bitmap, frames, framesAreHorizontal, name);
  }
  void DrawBitmapRegion(const IBitmapHandle& bitmap, const IRECT& dest, int srcX, int srcY,
                        const IBlendMode* blend) override {
    drawTransforms.push_back(GetTransform());
    TestGraphics::DrawBitmapRegion(bitmap, dest, srcX, srcY, blend);
  }

  std::vector<std::pair<std::string, int>> loads;
  std::vector<IMatrix> drawTransforms;
  int opens = 0;
  int closes = 0;
  bool closeReenters = false;

private:
  BitmapStore& mStore;
};

// The recording delegate with the two installable editor functions in use, as the effect
// has them.
class EditorFunctionsDelegate : public TestDelegate {
public:
  IGraphics* MakeGraphics() override { return IGEditorDelegate::MakeGraphics(); }
  void BuildLayout(IGraphics* g) override {
    ++layouts;
    IGEditorDelegate::BuildLayout(g);
  }
  void EditorClosedHook() override { ++closedHooks; }

  void InstallMakeGraphics(MakeGraphicsFunc func) { mMakeGraphicsFunc = std::move(func); }
  void InstallLayout(LayoutFunc func) { mLayoutFunc = std::move(func); }

  int closedHooks = 0;
};

inline IBitmapHandle MakeBitmap(BitmapStore& store, const char* name, int pointW, int pointH,
                                int frames, int scale = 1) {
  store.Define(name, pointW, pointH);
  return IBitmapHandle(store.Get(name, scale), frames, false, name);
}

// An open editor over the bitmap store.
struct ControlsEditor {
  TestDelegate dlg;
  BitmapStore store;
  ControlsGraphics* g;
  explicit ControlsEditor(int w = 400, int h = 300, float scale = 1.f)
      : g(new ControlsGraphics(dlg, store, w, h, scale)) {
    dlg.Attach(g);
  }
};
