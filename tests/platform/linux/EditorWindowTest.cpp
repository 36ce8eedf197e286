// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "IGEditorDelegate.h"
#include "IGraphicsLinux.h"
#include "IGraphicsView_vKelvora_vst3.h"
#include "IKnobControlBase.h"
#include "TestRunLoop.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <string>
#include <vector>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
// The knob fills this rectangle: red, with green up to its value from the bottom.
const IRECT kKnobRect(100.f, 100.f, 200.f, 200.f);

// A host that draws with GL itself keeps Mesa's driver loaded; without one, every editor
// closing its connection would unload the driver and strand the driver's own allocations.
void KeepGLDriverLoaded(Display* dpy) {
  static GLXContext context = [dpy] {
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(dpy, DefaultScreen(dpy), nullptr, &count);
    GLXContext ctx =
        count > 0 ? glXCreateNewContext(dpy, configs[0], GLX_RGBA_TYPE, nullptr, True) : nullptr;
    if (configs) XFree(configs);
    return ctx;
  }();
  (void)context;
}

class BarKnob : public IKnobControlBase {
public:
  BarKnob() : IKnobControlBase(kKnobRect, 0) {}
  void Draw(IGraphics& g) override {
    g.FillRect(COLOR_RED, mRECT);
    const float top = mRECT.B - static_cast<float>(GetValue()) * mRECT.H();
    g.FillRect(COLOR_GREEN, IRECT(mRECT.L, top, mRECT.R, mRECT.B));
  }
};

class EditorDelegate : public IGEditorDelegate {
public:
  explicit EditorDelegate(float drawScale) : IGEditorDelegate(1) {
    GetParam(0)->DefineDouble("Gain", 50., 0., 100., 0.1, "%");
    SetSizeConstraints(100, 4000, 100, 4000);
    mMakeGraphicsFunc = [this, drawScale] {
      return new IGraphicsLinux(*this, kWidth, kHeight, 60, drawScale);
    };
    mLayoutFunc = [](IGraphics* g) {
      if (g->ControlCount() > 0) return;
      g->AddControl(new BarKnob());
    };
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
    IGEditorDelegate::SetParamFromEditor(paramIdx, value);
  }
  bool ResizeFromEditor(int, int, bool) override { return true; }

  IGraphicsLinux* Graphics() const { return static_cast<IGraphicsLinux*>(GetUI()); }

  std::vector<std::string> events;
  std::vector<double> values;
};

// The host's side: its own connection and a top-level window the editor is embedded in.
class EditorWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    static Display* hostGLDisplay = XOpenDisplay(nullptr);
    KeepGLDriverLoaded(hostGLDisplay);
    mParent =
        XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, 1000, 800, 0, 0, 0x202020);
    XMapWindow(mDisplay, mParent);
    XSync(mDisplay, False);
    mRecord.window = mParent;
    mRecord.runLoop = &mLoop;
    mRecord.screenScale = 1.f;
  }
  void TearDown() override {
    if (!mDisplay) return;
    XDestroyWindow(mDisplay, mParent);
    XCloseDisplay(mDisplay);
  }

  IGraphicsLinux* Open(EditorDelegate& dlg) {
    if (!dlg.OpenEditor(&mRecord)) return nullptr;
    mLoop.Pump(150);
    return dlg.Graphics();
  }

  // RGB of the editor window's pixel (x, y).
  unsigned long Pixel(const IGraphicsLinux& g, int x, int y) {
    XSync(mDisplay, False);
    XImage* image =
        XGetImage(mDisplay, g.EditorViewHandle()->GetWindow(), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xDEADBEEF;
    const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
  }

  void PointerTo(const IGraphicsLinux& g, float x, float y) {
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(mDisplay, g.EditorViewHandle()->GetWindow(), DefaultRootWindow(mDisplay),
                          static_cast<int>(x * g.PixelsPerUnit()),
                          static_cast<int>(y * g.PixelsPerUnit()), &rootX, &rootY, &child);
    XTestFakeMotionEvent(mDisplay, -1, rootX, rootY, CurrentTime);
    XSync(mDisplay, False);
    mLoop.Pump(40);
  }
  void Button(unsigned int button, bool press) {
    XTestFakeButtonEvent(mDisplay, button, press, CurrentTime);
    XSync(mDisplay, False);
    mLoop.Pump(40);
  }

  Display* mDisplay = nullptr;
  Window mParent = 0;
  TestRunLoop mLoop;
  LinuxEditorParent mRecord;
};

TEST_F(EditorWindowTest, OpensInsideTheParentAtItsPixelSizeAndDraws) {
  EditorDelegate dlg(1.f);
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  XWindowAttributes attrs{};
  XGetWindowAttributes(mDisplay, g->EditorViewHandle()->GetWindow(), &attrs);
  EXPECT_EQ(attrs.width, kWidth);
  EXPECT_EQ(attrs.height, kHeight);
  EXPECT_EQ(attrs.map_state, IsViewable);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  XQueryTree(mDisplay, g->EditorViewHandle()->GetWindow(), &root, &parent, &children, &n);
  if (children) XFree(children);
  EXPECT_EQ(parent, mParent);

  // Value 0.5: green in the lower half of the knob, red in the upper.
  EXPECT_EQ(Pixel(*g, 150, 175), 0x00FF00u);
  EXPECT_EQ(Pixel(*g, 150, 125), 0xFF0000u);
  // Display timer and X connection are registered; closing takes both back.
  EXPECT_EQ(mLoop.Registrations(), 2u);
  EXPECT_EQ(mLoop.Timers(), 1u);
  dlg.CloseEditor();
  EXPECT_EQ(mLoop.Registrations(), 0u);
}

TEST_F(EditorWindowTest, DraggingAKnobUpwardsEditsItsParameterWithTheCursorLocked) {
  EditorDelegate dlg(1.f);
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  PointerTo(*g, 150.f, 150.f);
  Button(1, true);
  EXPECT_TRUE(g->CursorIsHidden());
  EXPECT_TRUE(g->CursorIsLocked());
  for (int i = 0; i < 5; ++i) {
    XTestFakeRelativeMotionEvent(mDisplay, 0, -10, CurrentTime);
    XSync(mDisplay, False);
    mLoop.Pump(40);
  }
  // The pointer was kept where the drag began.
  float x = 0.f, y = 0.f;
  g->ReadMouseLocation(x, y);
  EXPECT_NEAR(x, 150.f, 1.f);
  EXPECT_NEAR(y, 150.f, 1.f);
  Button(1, false);
  EXPECT_FALSE(g->CursorIsHidden());

  ASSERT_GE(dlg.events.size(), 4u);
  EXPECT_EQ(dlg.events.front(), "begin 0");
  EXPECT_EQ(dlg.events.back(), "end 0");
  ASSERT_GE(dlg.values.size(), 3u);
  for (size_t i = 1; i < dlg.values.size(); ++i)
    EXPECT_GT(dlg.values[i], dlg.values[i - 1]);
  mLoop.Pump(60);
  // The knob now shows more green: the upper half's lower part turned.
  EXPECT_EQ(Pixel(*g, 150, 140), 0x00FF00u);
}

TEST_F(EditorWindowTest, DrawScaleAndScreenScaleMultiplyIntoPixelsAndEvents) {
  EditorDelegate dlg(0.5f);
  mRecord.screenScale = 2.f;
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  XWindowAttributes attrs{};
  XGetWindowAttributes(mDisplay, g->EditorViewHandle()->GetWindow(), &attrs);
  EXPECT_EQ(attrs.width, kWidth);
  EXPECT_EQ(attrs.height, kHeight);
  g->SetScreenScale(1.f);
  XGetWindowAttributes(mDisplay, g->EditorViewHandle()->GetWindow(), &attrs);
  EXPECT_EQ(attrs.width, kWidth / 2);
  // A pointer at window pixel (100, 50) is at UI units (200, 100).
  PointerTo(*g, 200.f, 100.f);
  float x = 0.f, y = 0.f;
  g->ReadMouseLocation(x, y);
  EXPECT_FLOAT_EQ(x, 200.f);
  EXPECT_FLOAT_EQ(y, 100.f);
}

TEST_F(EditorWindowTest, ReopeningReplacesTheWindowAndClipboardTextRoundTrips) {
  EditorDelegate dlg(1.f);
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  ASSERT_NE(g->OpenEditorWindow(&mRecord), nullptr);
  EXPECT_EQ(mLoop.Registrations(), 2u);
  EXPECT_EQ(g->ControlCount(), 1);

  EXPECT_TRUE(g->WriteClipboardText("Kelvora 1.1.5"));
  std::string text;
  EXPECT_TRUE(g->ReadClipboardText(text));
  EXPECT_EQ(text, "Kelvora 1.1.5");
  dlg.CloseEditor();
  EXPECT_EQ(mLoop.Registrations(), 0u);
  EXPECT_FALSE(g == dlg.Graphics());
}

TEST_F(EditorWindowTest, UnsupportedPanelKindsAnswerCancelAndClosedEditorsRefuse) {
  EditorDelegate dlg(1.f);
  IGraphicsLinux g(dlg, kWidth, kHeight);
  int completed = 0;
  EXPECT_EQ(g.ShowMessagePanel("t", "m", 2, [&](int r) { completed = r; }), 2);
  EXPECT_EQ(completed, 2);
  std::string text = "x";
  EXPECT_FALSE(g.ReadClipboardText(text));
  EXPECT_EQ(text, "");
  std::string file = "a.txt", folder = "/tmp/";
  g.ChooseFile(file, folder, 1, "txt");
  EXPECT_EQ(file, "");
  EXPECT_FALSE(g.AskForColor(COLOR_RED, "colour", nullptr));
  EXPECT_FALSE(g.IsDarkAppearance());
  EXPECT_FALSE(g.RevealInFileBrowser("", false));
}

TEST(EditorViewFrame, ScalesOutwardsToWholePixels) {
  int x = 0, y = 0, w = 0, h = 0;
  IGraphicsView_vKelvora_vst3::FrameOf(IRECT(10.2f, 10.2f, 20.1f, 20.1f), 1.5f, x, y, w, h);
  EXPECT_EQ(x, 15);
  EXPECT_EQ(y, 15);
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 16);
}

} // namespace
