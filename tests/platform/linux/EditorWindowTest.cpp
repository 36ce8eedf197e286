// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "IGraphicsLinux.h"
#include "IGraphicsView_vKelvora_vst3.h"
#include "IKnobControlBase.h"
#include "KeepGLDriverLoaded.h"
#include "TestRunLoop.h"
#include "WindowTestDelegate.h"
#include "XTestPointer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
// The knob fills this rectangle: red, with green up to its value from the bottom.
const IRECT kKnobRect(100.f, 100.f, 200.f, 200.f);

class BarKnob : public IKnobControlBase {
public:
  BarKnob() : IKnobControlBase(kKnobRect, 0) {}
  void Draw(IGraphics& g) override {
    g.FillRect(COLOR_RED, mRECT);
    const float top = mRECT.B - static_cast<float>(GetValue()) * mRECT.H();
    g.FillRect(COLOR_GREEN, IRECT(mRECT.L, top, mRECT.R, mRECT.B));
  }
};

// The surround, as the 24-bit window shows it.
constexpr unsigned long kSurround =
    (static_cast<unsigned long>(IGraphics::kSurroundColor.R) << 16) |
    (static_cast<unsigned long>(IGraphics::kSurroundColor.G) << 8) |
    static_cast<unsigned long>(IGraphics::kSurroundColor.B);

// The layout of these tests: the bar knob on the gain parameter, added once however often
// the editor opens.
void AddBarKnob(IGraphics& g) {
  if (g.ControlCount() == 0) g.AddControl(new BarKnob());
}

// The host's side: its own connection and a top-level window the editor is embedded in.
class EditorWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    KeepGLDriverLoaded();
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

  IGraphicsLinux* Open(WindowTestDelegate& dlg) {
    if (!dlg.OpenEditor(&mRecord)) return nullptr;
    mLoop.Pump(150);
    return dlg.Graphics();
  }

  XWindowAttributes Attributes(const IGraphicsLinux& g) {
    XWindowAttributes attrs{};
    XGetWindowAttributes(mDisplay, g.EditorViewHandle()->GetWindow(), &attrs);
    return attrs;
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
    mPointer.MoveTo(g.EditorViewHandle()->GetWindow(), x, y, g.PixelsPerUnit());
  }

  Display* mDisplay = nullptr;
  Window mParent = 0;
  TestRunLoop mLoop;
  XTestPointer mPointer{[this](int milliseconds) { mLoop.Pump(milliseconds); }, 40};
  LinuxEditorParent mRecord;
};

TEST_F(EditorWindowTest, OpensInsideTheParentAtItsPixelSizeAndDraws) {
  WindowTestDelegate dlg(kWidth, kHeight, 1.f, AddBarKnob);
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  XWindowAttributes attrs = Attributes(*g);
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
  WindowTestDelegate dlg(kWidth, kHeight, 1.f, AddBarKnob);
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  PointerTo(*g, 150.f, 150.f);
  mPointer.Button(true);
  EXPECT_TRUE(g->CursorIsHidden());
  EXPECT_TRUE(g->CursorIsLocked());
  for (int i = 0; i < 5; ++i)
    mPointer.MoveBy(0, -10);
  // The pointer was kept where the drag began.
  float x = 0.f, y = 0.f;
  g->ReadMouseLocation(x, y);
  EXPECT_NEAR(x, 150.f, 1.f);
  EXPECT_NEAR(y, 150.f, 1.f);
  mPointer.Button(false);
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
  WindowTestDelegate dlg(kWidth, kHeight, 0.5f, AddBarKnob);
  mRecord.screenScale = 2.f;
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  XWindowAttributes attrs = Attributes(*g);
  EXPECT_EQ(attrs.width, kWidth);
  EXPECT_EQ(attrs.height, kHeight);
  g->SetScreenScale(1.f);
  EXPECT_EQ(Attributes(*g).width, kWidth / 2);
  // A pointer at window pixel (100, 50) is at UI units (200, 100).
  PointerTo(*g, 200.f, 100.f);
  float x = 0.f, y = 0.f;
  g->ReadMouseLocation(x, y);
  EXPECT_FLOAT_EQ(x, 200.f);
  EXPECT_FLOAT_EQ(y, 100.f);
}

// GL counts rows from the bottom: in a window of the host's shape the picture stays at the
// top left, on every frame after the first too, and the pointer acts where things are drawn.
TEST_F(EditorWindowTest, HostsWindowOfAnotherShapeHoldsThePictureAtItsTopLeft) {
  WindowTestDelegate dlg(kWidth, kHeight, 1.f, AddBarKnob);
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);

  // Taller: the width decides and the draw scale stays.
  g->FitToWindow(kWidth, 2 * kHeight);
  mLoop.Pump(150);
  EXPECT_EQ(Attributes(*g).width, kWidth);
  EXPECT_EQ(Attributes(*g).height, 2 * kHeight);
  EXPECT_FLOAT_EQ(g->DrawScale(), 1.f);
  EXPECT_EQ(Pixel(*g, 150, 175), 0x00FF00u);
  EXPECT_EQ(Pixel(*g, 150, 125), 0xFF0000u);
  for (int y : {kHeight, 450, 2 * kHeight - 1})
    EXPECT_EQ(Pixel(*g, 200, y), kSurround) << y;
  // A later frame, for a value from the host, lands in the same place.
  dlg.SendParamValueToEditor(TestDelegate::kGain, 0.1, true);
  mLoop.Pump(100);
  EXPECT_EQ(Pixel(*g, 150, 175), 0xFF0000u);
  EXPECT_EQ(Pixel(*g, 150, 195), 0x00FF00u);
  EXPECT_EQ(Pixel(*g, 200, 450), kSurround);

  // Wider: the height decides, and the picture grows by half.
  g->FitToWindow(900, 450);
  mLoop.Pump(150);
  EXPECT_FLOAT_EQ(g->DrawScale(), 1.5f);
  EXPECT_EQ(Attributes(*g).width, 900);
  EXPECT_EQ(Pixel(*g, 225, 295), 0x00FF00u);
  EXPECT_EQ(Pixel(*g, 225, 160), 0xFF0000u);
  for (int x : {600, 750, 899})
    EXPECT_EQ(Pixel(*g, x, 200), kSurround) << x;
  // A drag where the knob is drawn turns it.
  PointerTo(*g, 150.f, 150.f);
  mPointer.Button(true);
  for (int i = 0; i < 5; ++i)
    mPointer.MoveBy(0, -10);
  mPointer.Button(false);
  ASSERT_FALSE(dlg.values.empty());
  EXPECT_GT(dlg.values.back(), 0.1);
  EXPECT_EQ(dlg.events.front(), "begin 0");
}

// XEmbed's socket sizes the window to its own without a word to the plug-in's view.
TEST_F(EditorWindowTest, WindowSizedFromOutsideScalesThePictureAndItsOwnResizesStayItsOwn) {
  WindowTestDelegate dlg(kWidth, kHeight, 1.f, AddBarKnob);
  IGraphicsLinux* g = Open(dlg);
  ASSERT_NE(g, nullptr);
  XResizeWindow(mDisplay, g->EditorViewHandle()->GetWindow(), 800, 450);
  XSync(mDisplay, False);
  mLoop.Pump(150);
  EXPECT_FLOAT_EQ(g->DrawScale(), 1.5f);
  EXPECT_EQ(dlg.GetEditorWidth(), 600);
  EXPECT_EQ(dlg.GetEditorHeight(), 450);
  EXPECT_EQ(Pixel(*g, 225, 295), 0x00FF00u);
  EXPECT_EQ(Pixel(*g, 700, 200), kSurround);

  // Several resizes of the editor's own before it reads its events: the sizes they leave in
  // the queue are none of the host's.
  g->Resize(kWidth, kHeight, 0.8f, true);
  g->Resize(kWidth, kHeight, 1.2f, true);
  g->Resize(kWidth, kHeight, 1.f, true);
  mLoop.Pump(150);
  EXPECT_FLOAT_EQ(g->DrawScale(), 1.f);
  EXPECT_EQ(Attributes(*g).width, kWidth);
  EXPECT_EQ(Attributes(*g).height, kHeight);
}

TEST_F(EditorWindowTest, ReopeningReplacesTheWindowAndClipboardTextRoundTrips) {
  WindowTestDelegate dlg(kWidth, kHeight, 1.f, AddBarKnob);
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
  WindowTestDelegate dlg(kWidth, kHeight, 1.f, AddBarKnob);
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
