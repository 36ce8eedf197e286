#include "KelvoraEditor.h"

#include "IBKnobControl.h"
#include "IBKnobRotaterControl.h"
#include "IBSwitchControl.h"
#include "IBubbleControl.h"
#include "IGraphics.h"
#include "IPluginBase.h"
#include "ITextControl.h"
#include "KelvoraIdentity.h"
#include "KelvoraLayout.h"
#include "KelvoraParamTable.h"
#include "PlatformGraphics.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr double kKnobGearing = 4.0;
constexpr int kVersionLineChars = 100;

// The parameter a row binds, kNoParameter for none.
constexpr int BoundParam(const LayoutRow& row) {
  return *row.param ? FindParamBySymbol(kKelvoraParams, row.param) : kNoParameter;
}

constexpr bool EveryBoundSymbolNamesAParameter() {
  for (const LayoutRow& row : kKelvoraLayout)
    if (*row.param && BoundParam(row) < 0) return false;
  return true;
}
static_assert(EveryBoundSymbolNamesAParameter(), "a layout row binds an unknown parameter");

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
  IGraphics* graphics =
      MakePlatformGraphics(delegate, kKelvoraEditorWidth, kKelvoraEditorHeight, kKelvoraEditorFps,
                           kKelvoraEditorScale, kKelvoraBundleId);
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

  // Each image once, in the order the rows first name it, preferring its density-2 variant.
  std::map<std::string, IBitmapHandle> images;
  for (const LayoutRow& row : kKelvoraLayout)
    if (*row.image && !images.count(row.image))
      images[row.image] = g.LoadBitmapResource(row.image, row.frames, false, 2);

  const char* background = nullptr;
  for (const LayoutRow& row : kKelvoraLayout) {
    const float x = static_cast<float>(row.x), y = static_cast<float>(row.y);
    const int param = BoundParam(row);
    switch (row.control) {
    case LayoutControl::kBackground:
      background = row.image;
      break;
    case LayoutControl::kVersionLine:
      g.AddControl(new ITextControl(IRECT(x, y, w, h), version, VersionLineStyle(),
                                    COLOR_TRANSPARENT, true));
      break;
    case LayoutControl::kFrameKnob: {
      const IBitmapHandle& image = images[row.image];
      g.AddControl(new IBKnobControl(IBitmapBase::BitmapRECT(x, y, image), image, param, kVertical,
                                     kKnobGearing));
      break;
    }
    case LayoutControl::kRotater:
      g.AddControl(new IBKnobRotaterControl(x, y, images[row.image], param));
      break;
    case LayoutControl::kSwitch: {
      const IBitmapHandle& image = images[row.image];
      g.AddControl(new IBSwitchControl(IBitmapBase::BitmapRECT(x, y, image), image, param));
      break;
    }
    }
  }
  // Drawn first, though attached last, as the background always is.
  g.AddBackground(background);
}
