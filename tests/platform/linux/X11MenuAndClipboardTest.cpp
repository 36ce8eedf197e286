// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "IGraphicsLinux.h"
#include "IGraphicsView_vKelvora_vst3.h"
#include "IKeyPress.h"
#include "ITextEntryControl.h"
#include "KeepGLDriverLoaded.h"
#include "TestGraphics.h"
#include "TestRunLoop.h"
#include "X11PopupMenu.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct X11Editor {
  TestRunLoop loop; // outlives the editor and its menu
  TestDelegate dlg;
  IGraphicsLinux* g;
  ProbeControl* mode;
  ProbeControl* gain;
  LinuxEditorParent record;

  explicit X11Editor(Window parent) : g(new IGraphicsLinux(dlg, 400, 300)) {
    dlg.Attach(g);
    record.window = parent;
    record.runLoop = &loop;
    record.screenScale = 1.f;
    mode = static_cast<ProbeControl*>(
        g->AddControl(new ProbeControl(IRECT(20.f, 20.f, 120.f, 50.f), TestDelegate::kMode)));
    gain = static_cast<ProbeControl*>(
        g->AddControl(new ProbeControl(IRECT(20.f, 80.f, 120.f, 110.f), TestDelegate::kGain)));
    mode->SetPromptDisabled(false);
    g->AddTextEntryControl();
  }
  bool Open() { return g->OpenEditorWindow(&record) != nullptr; }
};

class X11TextTest : public ::testing::Test {
protected:
  void SetUp() override {
    KeepGLDriverLoaded();
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    mParent = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, 800, 600, 0, 0, 0);
    XMapWindow(mDisplay, mParent);
    XSync(mDisplay, False);
  }
  void TearDown() override {
    if (!mDisplay) return;
    XDestroyWindow(mDisplay, mParent);
    XCloseDisplay(mDisplay);
  }
  void Click(int x, int y) {
    XTestFakeMotionEvent(mDisplay, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(mDisplay, 1, True, CurrentTime);
    XTestFakeButtonEvent(mDisplay, 1, False, CurrentTime);
    XSync(mDisplay, False);
  }
  void Press(KeySym sym) {
    const KeyCode code = XKeysymToKeycode(mDisplay, sym);
    XTestFakeKeyEvent(mDisplay, code, True, CurrentTime);
    XTestFakeKeyEvent(mDisplay, code, False, CurrentTime);
    XSync(mDisplay, False);
  }

  Display* mDisplay = nullptr;
  Window mParent = 0;
};

} // namespace

TEST_F(X11TextTest, PopupMenuIsChosenByClickingAndByKeys) {
  X11Editor e(mParent);
  ASSERT_TRUE(e.Open());
  e.loop.Pump(100);

  e.g->PromptForValue(*e.mode, e.mode->GetRECT(), 0);
  ASSERT_NE(e.g->OpenPopupMenu(), nullptr);
  ASSERT_TRUE(e.g->OpenPopupMenu()->IsOpen());
  e.loop.Pump(100);
  int x = 0, y = 0;
  ASSERT_TRUE(e.g->OpenPopupMenu()->RowCentre(0, 2, x, y));
  Click(x, y);
  e.loop.Pump(200);
  EXPECT_FALSE(e.g->OpenPopupMenu()->IsOpen());
  EXPECT_EQ(e.g->GetControlInPopup(), nullptr);
  EXPECT_EQ(e.dlg.GetParam(TestDelegate::kMode)->Value(), 2.);

  e.g->PromptForValue(*e.mode, e.mode->GetRECT(), 0);
  ASSERT_NE(e.g->OpenPopupMenu(), nullptr);
  e.loop.Pump(100);
  Press(XK_Down);
  Press(XK_Down);
  e.loop.Pump(100);
  EXPECT_EQ(e.g->OpenPopupMenu()->Highlighted(0), 1);
  Press(XK_Return);
  e.loop.Pump(200);
  EXPECT_EQ(e.dlg.GetParam(TestDelegate::kMode)->Value(), 1.);

  // Escape and a press outside dismiss without a choice.
  e.g->PromptForValue(*e.mode, e.mode->GetRECT(), 0);
  e.loop.Pump(100);
  Press(XK_Escape);
  e.loop.Pump(200);
  EXPECT_EQ(e.g->GetControlInPopup(), nullptr);
  EXPECT_EQ(e.dlg.GetParam(TestDelegate::kMode)->Value(), 1.);
  e.dlg.CloseEditor();
}

TEST_F(X11TextTest, CopyAndPasteBetweenTwoEditorsThroughTheClipboard) {
  X11Editor a(mParent);
  X11Editor b(mParent);
  ASSERT_TRUE(a.Open());
  ASSERT_TRUE(b.Open());
  a.g->PromptForValue(*a.gain, a.gain->GetRECT(), 0);
  a.g->OnKeyDown(0.f, 0.f, IKeyPress("c", 'C', false, true));
  std::string copied;
  EXPECT_TRUE(a.g->ReadClipboardText(copied));
  EXPECT_EQ(copied, "50.0");

  b.g->PromptForValue(*b.gain, b.gain->GetRECT(), 0);
  // The owner answers from its own event handling, here on a thread of its own.
  std::atomic<bool> done{false};
  std::thread owner([&] {
    while (!done) {
      a.g->EditorViewHandle()->ProcessEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  b.g->OnKeyDown(0.f, 0.f, IKeyPress("End", 35));
  b.g->OnKeyDown(0.f, 0.f, IKeyPress("v", 'V', false, true));
  done = true;
  owner.join();
  EXPECT_EQ(b.g->GetTextEntryControl()->GetTextUTF8(), "50.050.0");
  b.g->OnKeyDown(0.f, 0.f, IKeyPress("", 27));
  a.g->OnKeyDown(0.f, 0.f, IKeyPress("", 27));
  a.dlg.CloseEditor();
  b.dlg.CloseEditor();
}
