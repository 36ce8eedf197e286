#pragma once

#include "IGEditorDelegate.h"
#include "IGraphics.h"

#include <string>
#include <utility>
#include <vector>

// A delegate with three parameters: 0 continuous 0..100, 1 stepped with 4 values, 2 bool
// with display texts. It records what the editor tells the plug-in.
class TestDelegate : public IGEditorDelegate {
public:
  enum { kGain = 0, kMode, kSwitch, kNumParams };

  TestDelegate() : IGEditorDelegate(kNumParams) {
    GetParam(kGain)->DefineDouble("Gain", 50., 0., 100., 0.1, "%");
    GetParam(kMode)->DefineEnum("Mode", 0, 4, "", 0, "", "1x", "2x", "4x", "8x");
    GetParam(kSwitch)->DefineBool("Delta", false, "", 0, "", "Off", "On");
    SetSizeConstraints(100, 4000, 100, 4000);
  }

  void BeginParamEditFromEditor(int paramIdx) override {
    events.push_back("begin " + std::to_string(paramIdx));
  }
  void EndParamEditFromEditor(int paramIdx) override {
    events.push_back("end " + std::to_string(paramIdx));
  }
  void SetParamFromEditor(int paramIdx, double value) override {
    events.push_back("set " + std::to_string(paramIdx));
    values.push_back(value);
    lastValue = value;
    IGEditorDelegate::SetParamFromEditor(paramIdx, value);
  }
  bool ResizeFromEditor(int w, int h, bool) override {
    resizes.push_back({w, h});
    return true;
  }
  void SendMidiFromEditor(const IMidiMsg& msg) override { midi.push_back(msg); }
  IGraphics* MakeGraphics() override { return nullptr; }
  void BuildLayout(IGraphics*) override { ++layouts; }
  bool ShowHostContextMenu(IControl&, int paramIdx, const IPopupMenu& items, float x,
                           float y) override {
    hostMenuParam = paramIdx;
    hostMenuItems = items.NItems();
    hostMenuX = x;
    hostMenuY = y;
    return true;
  }

  void Attach(IGraphics* g) { mGraphics.reset(g); }

  std::vector<std::string> events;
  std::vector<double> values;
  std::vector<std::pair<int, int>> resizes;
  std::vector<IMidiMsg> midi;
  double lastValue = -1.;
  int layouts = 0;
  int hostMenuParam = -1;
  int hostMenuItems = -1;
  float hostMenuX = 0.f, hostMenuY = 0.f;
};
