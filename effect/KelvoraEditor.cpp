#include "KelvoraEditor.h"

#include "IBKnobControl.h"
#include "IBKnobRotaterControl.h"
#include "IBSwitchControl.h"
#include "IBubbleControl.h"
#include "IGraphicsLinux.h"
#include "IPluginBase.h"
#include "ITextControl.h"
#include "KelvoraIdentity.h"
#include "KelvoraParams.h"

#include <cstdio>

namespace {

constexpr double kKnobGearing = 4.0;
constexpr int kVersionLineChars = 100;

// The images in the order they are loaded, each preferring its density-2 variant.
struct ImageResource {
  const char* name;
  int frames;
};
constexpr ImageResource kImages[] = {{"ledOn.png", 2},        {"LiukuAnim.png", 2},
                                     {"Nuppi.png", 1},        {"Kelvorabackground.jpg", 1},
                                     {"NupikkaVarjo.png", 1}, {"NuppiOverlay.png", 1},
                                     {"BIASNUPPI.png", 1},    {"FlipperAnim.png", 2},
                                     {"Oversampling.png", 4}, {"Delta.png", 2}};
enum ImageIndex {
  kLed,
  kLiuku,
  kNuppi,
  kBackground,
  kVarjo,
  kOverlay,
  kBiasNuppi,
  kFlipper,
  kOversamplingImage,
  kDeltaImage,
  kImageCount
};

IText VersionLineStyle() {
  IText style(20.f, COLOR_WHITE, "Roboto-Regular");
  style.mTextEntryBGColor = COLOR_WHITE;
  style.mTextEntryFGColor = COLOR_BLACK;
  style.mAngle = 0.f;
  style.mAlign = kAlignCenter;
  style.mVAlign = kVAlignMiddle;
  return style;
}

} // namespace

IGraphics* MakeKelvoraGraphics(IGEditorDelegate& delegate) {
  auto* graphics = new IGraphicsLinux(delegate, kKelvoraEditorWidth, kKelvoraEditorHeight,
                                      kKelvoraEditorFps, kKelvoraEditorScale);
  graphics->SetBundleIdentifier(kKelvoraBundleId);
  graphics->SetSharedResourcesSubPath(kKelvoraName);
  return graphics;
}

void LayoutKelvoraEditor(IGraphics& g, const IPluginBase& plug) {
  if (g.ControlCount() > 0) return;

  g.SetHoverTracking(true);
  g.SetTooltipsEnabled(true);
  g.AddCornerResizer(kResizeModeScale, true, COLOR_TRANSLUCENT, COLOR_BLACK, COLOR_BLACK, 20.f);
  g.AddTextEntryControl();
  g.LoadFontResource("Roboto-Regular", "Roboto-Regular.ttf");
  // The value of whatever knob or switch the pointer rests on or turns, as the host shows it.
  g.AttachBubbleControl(new IBubbleControl());

  char version[kVersionLineChars + 1];
  std::snprintf(version, sizeof(version), "%s %s %s", plug.GetPluginVersionStr().c_str(),
                plug.GetArchStr(), plug.GetAPIStr());
  const float w = static_cast<float>(g.Width()), h = static_cast<float>(g.Height());

  IBitmapHandle images[kImageCount];
  for (int i = 0; i < kImageCount; ++i)
    images[i] = g.LoadBitmapResource(kImages[i].name, kImages[i].frames, false, 2);

  const auto knob = [&](float x, float y, int image, int param) {
    g.AddControl(new IBKnobControl(IBitmapBase::BitmapRECT(x, y, images[image]), images[image],
                                   param, kVertical, kKnobGearing));
  };
  const auto rotater = [&](float x, float y, int image, int param) {
    g.AddControl(new IBKnobRotaterControl(x, y, images[image], param));
  };
  const auto toggle = [&](float x, float y, int image, int param) {
    g.AddControl(
        new IBSwitchControl(IBitmapBase::BitmapRECT(x, y, images[image]), images[image], param));
  };

  g.AddControl(new ITextControl(IRECT(w - 150.f, h - 30.f, w, h), version, VersionLineStyle(),
                                COLOR_TRANSPARENT, true));
  knob(824, 0, kLed, kBypass);
  rotater(558, 630, kBiasNuppi, kBias);
  toggle(516, 752, kLiuku, kReact);
  toggle(1339, 354, kFlipper, kBypass);
  rotater(137, 286, kVarjo, kInputGain);
  rotater(137, 683, kVarjo, kTame);
  rotater(891, 683, kVarjo, kOutputGain);
  rotater(1246, 683, kVarjo, kWet);
  rotater(137, 206, kNuppi, kInputGain);
  rotater(137, 603, kNuppi, kTame);
  rotater(891, 603, kNuppi, kOutputGain);
  rotater(1246, 603, kNuppi, kWet);
  knob(126, 192, kOverlay, kInputGain);
  knob(126, 590, kOverlay, kTame);
  knob(882, 590, kOverlay, kOutputGain);
  knob(1237, 590, kOverlay, kWet);
  toggle(1525, 790, kDeltaImage, kDelta);
  toggle(1525, 890, kOversamplingImage, kOversampling);

  g.AddBackground("Kelvorabackground.jpg");
}
