// Before any X11 header: Xlib defines macros (None, Bool) that clash with gtest's names.
#include <gtest/gtest.h>

#include "EditorHost.h"
#include "IGraphics.h"
#include "KeepGLDriverLoaded.h"
#include "KelvoraBundle.h"
#include "LayoutPoints.h"
#include "XTestPointer.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

using namespace Steinberg;
using KelvoraTestHost::ComponentHandler;
using Steinberg::Vst::ParamID;

namespace {

// The "Input Gain" knob's pointer, in UI units (the other points: LayoutPoints.h).
constexpr float kInputGainCentreX = CentreOf("Nuppi.png", "input_gain").x;
constexpr float kInputGainCentreY = CentreOf("Nuppi.png", "input_gain").y;
constexpr float kPointerRadius = 80.f;
constexpr ParamID kInputGain = 4;
constexpr ParamID kWet = 5;
constexpr ParamID kTame = 6;
constexpr ParamID kOversampling = 2;
constexpr double kInputGainDefault = 32. / 200.;

double KnobAngle(double normalized) {
  return normalized * 260. - 130.;
}

class EditorHostTest : public ::testing::Test {
protected:
  void SetUp() override {
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    ASSERT_TRUE(KelvoraModule().loaded()) << KelvoraModule().error();
    KeepGLDriverLoaded();
  }
  void TearDown() override {
    mSlots.clear();
    if (!mDisplay) return;
    for (Window w : mParents)
      XDestroyWindow(mDisplay, w);
    XCloseDisplay(mDisplay);
  }

  Window NewParent(int x, int y) {
    const Window w =
        XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), x, y, 815, 505, 0, 0, 0x202020);
    XMapWindow(mDisplay, w);
    XSync(mDisplay, False);
    mParents.push_back(w);
    return w;
  }

  PluginSlot& OpenSlot(float contentScale = 1.f, int y = 0) {
    mSlots.push_back(std::make_unique<PluginSlot>(mLoop, KelvoraModule()));
    PluginSlot& slot = *mSlots.back();
    EXPECT_TRUE(slot.Loaded());
    EXPECT_TRUE(slot.Open(mDisplay, NewParent(0, y), contentScale));
    return slot;
  }

  // Pixels per UI unit of the slot's editor, from its picture's width (the view's size).
  float PixelsPerUnit(const PluginSlot& slot) {
    ViewRect size;
    slot.view->getSize(&size);
    return static_cast<float>(size.getWidth()) / 1630.f;
  }
  int ParentWidth() {
    XWindowAttributes attrs{};
    XGetWindowAttributes(mDisplay, mParents.back(), &attrs);
    return attrs.width;
  }
  int ParentHeight() {
    XWindowAttributes attrs{};
    XGetWindowAttributes(mDisplay, mParents.back(), &attrs);
    return attrs.height;
  }
  // As Ardour does when its plug-in window gets a new size: its own widget first, then onSize.
  void HostResizes(const PluginSlot& slot, int width, int height) {
    XResizeWindow(mDisplay, mParents.back(), static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XSync(mDisplay, False);
    ViewRect size(0, 0, width, height);
    EXPECT_EQ(slot.view->onSize(&size), kResultTrue);
    mLoop.Pump(150);
  }
  int WindowWidth(const PluginSlot& slot) {
    XWindowAttributes attrs{};
    XGetWindowAttributes(mDisplay, slot.EditorWindow(), &attrs);
    return attrs.width;
  }
  int WindowHeight(const PluginSlot& slot) {
    XWindowAttributes attrs{};
    XGetWindowAttributes(mDisplay, slot.EditorWindow(), &attrs);
    return attrs.height;
  }

  // The angle (degrees, clockwise from up) at which the Input Gain knob's light pointer is.
  double PointerAngle(const PluginSlot& slot) {
    const float ppu = PixelsPerUnit(slot);
    const Screenshot shot = Capture(mDisplay, slot.EditorWindow());
    double best = 0.;
    int brightest = -1;
    for (int a = -180; a < 180; a += 2) {
      const double rad = a * M_PI / 180.;
      const int x = static_cast<int>((kInputGainCentreX + kPointerRadius * std::sin(rad)) * ppu);
      const int y = static_cast<int>((kInputGainCentreY - kPointerRadius * std::cos(rad)) * ppu);
      if (shot.Brightness(x, y) > brightest) {
        brightest = shot.Brightness(x, y);
        best = a;
      }
    }
    return best;
  }

  void PointerTo(const PluginSlot& slot, float x, float y) {
    mPointer.MoveTo(slot.EditorWindow(), x, y, PixelsPerUnit(slot));
  }
  void Button(bool press) { mPointer.Button(press); }
  void Button(bool press, int settleMs) { mPointer.Button(press, settleMs); }
  void MoveBy(int dx, int dy) { mPointer.MoveBy(dx, dy); }
  // Separate clicks: far enough apart in time not to make a double click.
  void Click(const PluginSlot& slot, float x, float y) {
    PointerTo(slot, x, y);
    Button(true);
    Button(false, 450);
  }

  static std::vector<ComponentHandler::Edit> EditsOf(const PluginSlot& slot, ParamID id) {
    std::vector<ComponentHandler::Edit> edits;
    for (const auto& e : slot.handler->edits())
      if (e.id == id) edits.push_back(e);
    return edits;
  }

  Display* mDisplay = nullptr;
  std::vector<Window> mParents;
  TestHostRunLoop mLoop;
  XTestPointer mPointer{[this](int milliseconds) { mLoop.Pump(milliseconds); }, 40};
  std::vector<std::unique_ptr<PluginSlot>> mSlots;
};

TEST_F(EditorHostTest, AttachedEditorFillsItsWindowWithTheEditorPicture) {
  PluginSlot& slot = OpenSlot();
  ASSERT_NE(slot.EditorWindow(), 0u);
  EXPECT_EQ(WindowWidth(slot), 815);
  EXPECT_EQ(WindowHeight(slot), 505);
  // The host made its window from the view's size before attaching it: the same size.
  EXPECT_EQ(ParentWidth(), 815);
  EXPECT_EQ(ParentHeight(), 505);
  // The host was asked for the window's size in pixels and gave it.
  ASSERT_FALSE(slot.frame->requests.empty());
  EXPECT_EQ(slot.frame->requests.back().getWidth(), 815);
  EXPECT_EQ(slot.frame->requests.back().getHeight(), 505);
  ViewRect size;
  ASSERT_EQ(slot.view->getSize(&size), kResultTrue);
  EXPECT_EQ(size.getWidth(), 815);
  EXPECT_EQ(size.getHeight(), 505);

  // Display timer, idle timer and the X connection all run on the host's loop.
  EXPECT_EQ(mLoop.Timers(), 2u);
  EXPECT_EQ(mLoop.EventHandlers(), 1u);

  // Not the parent's grey: the background is drawn everywhere, the pointer of "Input Gain"
  // stands at its default.
  const Screenshot shot = Capture(mDisplay, slot.EditorWindow());
  int parentGrey = 0;
  for (int y = 0; y < shot.height; y += 25)
    for (int x = 0; x < shot.width; x += 25)
      parentGrey += shot.At(x, y) == 0x202020u ? 1 : 0;
  EXPECT_EQ(parentGrey, 0);
  EXPECT_NEAR(PointerAngle(slot), KnobAngle(kInputGainDefault), 6.);

  slot.Close();
  EXPECT_EQ(mLoop.Timers(), 0u);
  EXPECT_EQ(mLoop.EventHandlers(), 0u);
}

TEST_F(EditorHostTest, DraggingAKnobOverlayUpwardsEditsItsParameterAndTurnsTheKnob) {
  PluginSlot& slot = OpenSlot();
  const double before = PointerAngle(slot);
  PointerTo(slot, kInputGainOverlayX, kInputGainOverlayY);
  Button(true);
  for (int i = 0; i < 6; ++i)
    MoveBy(0, -15);
  Button(false);
  mLoop.Pump(100);

  const auto edits = EditsOf(slot, kInputGain);
  ASSERT_GE(edits.size(), 4u);
  EXPECT_EQ(edits.front().kind, ComponentHandler::EditKind::Begin);
  EXPECT_EQ(edits.back().kind, ComponentHandler::EditKind::End);
  double last = kInputGainDefault;
  int performs = 0;
  for (size_t i = 1; i + 1 < edits.size(); ++i) {
    ASSERT_EQ(edits[i].kind, ComponentHandler::EditKind::Perform);
    EXPECT_GT(edits[i].value, last);
    last = edits[i].value;
    ++performs;
  }
  EXPECT_GE(performs, 3);
  EXPECT_NEAR(slot.controller->getParamNormalized(kInputGain), last, 1e-9);
  // The body turned with the value the host was told.
  EXPECT_NEAR(PointerAngle(slot), KnobAngle(last), 6.);
  EXPECT_GT(PointerAngle(slot), before);
}

TEST_F(EditorHostTest, OversamplingSwitchCyclesThroughItsFourSteps) {
  PluginSlot& slot = OpenSlot();
  for (int i = 0; i < 4; ++i)
    Click(slot, kOversamplingX, kOversamplingY);
  std::vector<double> performed;
  for (const auto& e : EditsOf(slot, kOversampling))
    if (e.kind == ComponentHandler::EditKind::Perform) performed.push_back(e.value);
  ASSERT_EQ(performed.size(), 4u);
  EXPECT_NEAR(performed[0], 1. / 3., 1e-9);
  EXPECT_NEAR(performed[1], 2. / 3., 1e-9);
  EXPECT_NEAR(performed[2], 1., 1e-9);
  EXPECT_NEAR(performed[3], 0., 1e-9);
}

TEST_F(EditorHostTest, ControlsFollowValuesTheHostSets) {
  PluginSlot& slot = OpenSlot();
  const float ppu = PixelsPerUnit(slot);
  const auto switchPixels = [&] {
    const Screenshot shot = Capture(mDisplay, slot.EditorWindow());
    std::vector<uint32_t> px;
    const LayoutRow& grid = kKelvoraLayout[FindLayoutRow("Oversampling.png", "oversampling")];
    const FrameSize size = FrameSizeOf(grid.image);
    for (int y = static_cast<int>(grid.y * ppu); y < static_cast<int>((grid.y + size.h) * ppu); ++y)
      for (int x = static_cast<int>(grid.x * ppu); x < static_cast<int>((grid.x + size.w) * ppu);
           ++x)
        px.push_back(shot.At(x, y));
    return px;
  };
  const auto atZero = switchPixels();
  ASSERT_EQ(slot.controller->setParamNormalized(kOversampling, 2. / 3.), kResultOk);
  mLoop.Pump(100);
  EXPECT_NE(switchPixels(), atZero);
  ASSERT_EQ(slot.controller->setParamNormalized(kOversampling, 0.), kResultOk);
  mLoop.Pump(100);
  EXPECT_EQ(switchPixels(), atZero);

  ASSERT_EQ(slot.controller->setParamNormalized(kInputGain, 1.), kResultOk);
  mLoop.Pump(100);
  EXPECT_NEAR(PointerAngle(slot), KnobAngle(1.), 6.);
  // Values the host sets are no edits of the user's.
  EXPECT_TRUE(slot.handler->edits().empty());
}

TEST_F(EditorHostTest, CornerDragAsksTheHostAndDoubleClickRestoresFullSize) {
  PluginSlot& slot = OpenSlot();
  slot.frame->requests.clear();
  PointerTo(slot, 1620.f, 1000.f);
  Button(true);
  for (int i = 0; i < 4; ++i)
    MoveBy(-25, -15);
  Button(false);
  mLoop.Pump(100);
  ASSERT_FALSE(slot.frame->requests.empty());
  const ViewRect asked = slot.frame->requests.back();
  EXPECT_LT(asked.getWidth(), 815);
  EXPECT_EQ(WindowWidth(slot), asked.getWidth());
  EXPECT_EQ(WindowHeight(slot), asked.getHeight());
  ViewRect size;
  slot.view->getSize(&size);
  EXPECT_EQ(size.getWidth(), asked.getWidth());

  // The corner follows the window; two clicks on it return to draw scale 1.
  PointerTo(slot, 1620.f, 1000.f);
  Button(true, 20);
  Button(false, 20);
  Button(true, 20);
  Button(false, 100);
  EXPECT_EQ(slot.frame->requests.back().getWidth(), 1630);
  EXPECT_EQ(slot.frame->requests.back().getHeight(), 1010);
  EXPECT_EQ(WindowWidth(slot), 1630);
}

TEST_F(EditorHostTest, RefusedResizePutsTheEditorBackAtTheAcceptedSize) {
  PluginSlot& slot = OpenSlot();
  slot.frame->refuse = true;
  PointerTo(slot, 1620.f, 1000.f);
  Button(true);
  MoveBy(-60, -40);
  Button(false);
  mLoop.Pump(150);
  ASSERT_FALSE(slot.frame->requests.empty());
  EXPECT_LT(slot.frame->requests.back().getWidth(), 815);
  EXPECT_EQ(WindowWidth(slot), 815);
  EXPECT_EQ(WindowHeight(slot), 505);
  ViewRect size;
  slot.view->getSize(&size);
  EXPECT_EQ(size.getWidth(), 815);
}

TEST_F(EditorHostTest, ContentScaleTwoDoublesThePixelsOfTheSamePicture) {
  PluginSlot& slot = OpenSlot(2.f);
  EXPECT_EQ(WindowWidth(slot), 1630);
  EXPECT_EQ(WindowHeight(slot), 1010);
  EXPECT_EQ(slot.frame->requests.back().getWidth(), 1630);
  ViewRect limits(0, 0, 100, 100);
  slot.view->checkSizeConstraint(&limits);
  EXPECT_EQ(limits.getWidth(), 1630);
  EXPECT_EQ(limits.getHeight(), 1010);

  // Changing the scale while open resizes the window in pixels and tells the host.
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(slot.view);
  ASSERT_TRUE(scaling);
  scaling->setContentScaleFactor(1.f);
  mLoop.Pump(100);
  EXPECT_EQ(WindowWidth(slot), 815);
  EXPECT_EQ(slot.frame->requests.back().getWidth(), 815);
}

// A GL surface that kept the size of a smaller window would hold the picture in the window's
// top-left corner only, with the rest of the window empty.
TEST_F(EditorHostTest, PictureAtContentScaleTwoFillsTheGrownWindow) {
  PluginSlot& slot = OpenSlot(2.f);
  const Screenshot shot = Capture(mDisplay, slot.EditorWindow());
  // Background in the far corner too, not the empty surface.
  EXPECT_NE(shot.At(1600, 900), 0u);
  EXPECT_NEAR(PointerAngle(slot), KnobAngle(kInputGainDefault), 6.);
}

// The scale grows while the editor is open: whatever one display tick costs, the window shows
// all of the editor at the new size once the host has run the editor's timer.
TEST_F(EditorHostTest, PictureFillsTheWindowThatGrewWithTheScaleWhileOpen) {
  PluginSlot& slot = OpenSlot(1.f);
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(slot.view);
  ASSERT_TRUE(scaling);
  scaling->setContentScaleFactor(2.f);
  // The host's own window grew in resizeView; a host sends that on before it runs its loop
  // again, or the part of the editor it uncovers later is cleared after the editor drew it.
  XSync(mDisplay, False);
  mLoop.Pump(100);
  ASSERT_EQ(WindowWidth(slot), 1630);
  const Screenshot shot = Capture(mDisplay, slot.EditorWindow());
  EXPECT_NE(shot.At(1600, 900), 0u);
  EXPECT_NEAR(PointerAngle(slot), KnobAngle(kInputGainDefault), 6.);
}

TEST_F(EditorHostTest, ReopenedEditorComesBackAtTheRememberedSize) {
  PluginSlot& slot = OpenSlot();
  PointerTo(slot, 1620.f, 1000.f);
  Button(true);
  MoveBy(-80, -50);
  Button(false);
  mLoop.Pump(100);
  const int width = WindowWidth(slot), height = WindowHeight(slot);
  ASSERT_LT(width, 815);
  const Window parent = mParents.back();
  slot.Close();
  EXPECT_EQ(mLoop.Timers(), 0u);

  ASSERT_TRUE(slot.Open(mDisplay, parent));
  ViewRect size;
  slot.view->getSize(&size);
  EXPECT_EQ(size.getWidth(), width);
  EXPECT_EQ(size.getHeight(), height);
  // Asked before attaching, the view gave the remembered size already.
  EXPECT_EQ(ParentWidth(), width);
  EXPECT_EQ(ParentHeight(), height);
  EXPECT_EQ(WindowWidth(slot), width);
  EXPECT_EQ(WindowHeight(slot), height);
}

// Ardour's plug-in window as large as the screen allows, then resized by the user: larger,
// another shape, the opening size with Ardour's toolbar. Each time the picture fills the
// window at its aspect ratio from the top left, the surround the rest, and a drag where a
// knob is drawn turns that knob.
TEST_F(EditorHostTest, HostsSizesScaleThePictureIntoTheWindowFromItsTopLeft) {
  PluginSlot& slot = OpenSlot();
  struct HostSize {
    int width, height, pictureWidth, pictureHeight;
  };
  const HostSize sizes[] = {{1598, 941, 1518, 941}, {900, 600, 900, 557}, {815, 539, 815, 505}};
  const uint32_t surround = (static_cast<uint32_t>(IGraphics::kSurroundColor.R) << 16) |
                            (static_cast<uint32_t>(IGraphics::kSurroundColor.G) << 8) |
                            static_cast<uint32_t>(IGraphics::kSurroundColor.B);
  double wet = slot.controller->getParamNormalized(kWet);
  for (const HostSize& host : sizes) {
    SCOPED_TRACE(std::to_string(host.width) + " x " + std::to_string(host.height));
    slot.frame->requests.clear();
    HostResizes(slot, host.width, host.height);
    // The window is the host's, the view's size the picture's; nothing was asked back.
    EXPECT_EQ(WindowWidth(slot), host.width);
    EXPECT_EQ(WindowHeight(slot), host.height);
    ViewRect size;
    ASSERT_EQ(slot.view->getSize(&size), kResultTrue);
    EXPECT_EQ(size.getWidth(), host.pictureWidth);
    EXPECT_EQ(size.getHeight(), host.pictureHeight);
    EXPECT_TRUE(slot.frame->requests.empty());

    // The picture from the top row down, no row of it plain surround or black; the surround
    // right of it and below it.
    const Screenshot shot = Capture(mDisplay, slot.EditorWindow());
    int plainRows = 0, pictureOutside = 0;
    for (int y = 0; y < shot.height; y += 3) {
      int plain = 0, samples = 0;
      for (int x = 0; x < shot.width; x += 3) {
        const uint32_t p = shot.At(x, y);
        if (x < host.pictureWidth && y < host.pictureHeight) {
          plain += p == surround || p == 0u ? 1 : 0;
          ++samples;
        } else {
          pictureOutside += p != surround ? 1 : 0;
        }
      }
      plainRows += plain * 2 > samples ? 1 : 0;
    }
    EXPECT_EQ(plainRows, 0);
    EXPECT_EQ(pictureOutside, 0);
    EXPECT_NEAR(PointerAngle(slot), KnobAngle(kInputGainDefault), 6.);

    // The "Wet" knob turns where it is drawn.
    PointerTo(slot, kWetOverlayX, kWetOverlayY);
    Button(true);
    for (int i = 0; i < 4; ++i)
      MoveBy(0, -10);
    Button(false);
    mLoop.Pump(100);
    EXPECT_GT(slot.controller->getParamNormalized(kWet), wet);
    wet = slot.controller->getParamNormalized(kWet);
    EXPECT_FALSE(EditsOf(slot, kWet).empty());
    EXPECT_TRUE(EditsOf(slot, kInputGain).empty());
    EXPECT_TRUE(EditsOf(slot, kTame).empty());
  }
}

TEST_F(EditorHostTest, TwoInstancesShowTwoEditorsThatEditOnlyTheirOwnPlugIn) {
  PluginSlot& first = OpenSlot(1.f, 0);
  PluginSlot& second = OpenSlot(1.f, 540);
  EXPECT_EQ(mLoop.Timers(), 4u);
  ASSERT_EQ(second.controller->setParamNormalized(kInputGain, 1.), kResultOk);
  mLoop.Pump(100);
  EXPECT_NEAR(PointerAngle(first), KnobAngle(kInputGainDefault), 6.);
  EXPECT_NEAR(PointerAngle(second), KnobAngle(1.), 6.);

  Click(first, kOversamplingX, kOversamplingY);
  EXPECT_FALSE(EditsOf(first, kOversampling).empty());
  EXPECT_TRUE(EditsOf(second, kOversampling).empty());
  first.Close();
  EXPECT_EQ(mLoop.Timers(), 2u);
  second.Close();
  EXPECT_EQ(mLoop.Timers(), 0u);
}

// Writes the pictures of the documentation when KELVORA_WRITE_SCREENSHOTS is set.
TEST_F(EditorHostTest, WritesDocumentationScreenshotsWhenAsked) {
  if (!std::getenv("KELVORA_WRITE_SCREENSHOTS")) GTEST_SKIP() << "KELVORA_WRITE_SCREENSHOTS unset";
  PluginSlot& normal = OpenSlot(1.f);
  EXPECT_TRUE(Capture(mDisplay, normal.EditorWindow()).WritePng(KELVORA_DOCS_DIR "/editor.png"));
  normal.Close();
  PluginSlot& dense = OpenSlot(2.f);
  EXPECT_TRUE(Capture(mDisplay, dense.EditorWindow()).WritePng(KELVORA_DOCS_DIR "/editor@2x.png"));
}

} // namespace
