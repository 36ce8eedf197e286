#include <gtest/gtest.h>

#include "IGraphicsWin.h"
#include "IGraphicsWinView_vKelvora_vst3.h"
#include "IKnobControlBase.h"
#include "MessagePump.h"
#include "TestDelegate.h"
#include "WinTextEntry.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cstdint>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
// The knob fills this rectangle: red, with green up to its value from the bottom.
const IRECT kKnobRect(100.f, 100.f, 200.f, 200.f);

class BarKnob : public IKnobControlBase {
public:
  BarKnob() : IKnobControlBase(kKnobRect, TestDelegate::kGain) {}
  void Draw(IGraphics& g) override {
    g.FillRect(COLOR_RED, mRECT);
    const float top = mRECT.B - static_cast<float>(GetValue()) * mRECT.H();
    g.FillRect(COLOR_GREEN, IRECT(mRECT.L, top, mRECT.R, mRECT.B));
  }
};

class WinTestDelegate : public TestDelegate {
public:
  IGraphics* MakeGraphics() override { return new IGraphicsWin(*this, kWidth, kHeight, 60, 1.f); }
  void BuildLayout(IGraphics* graphics) override {
    TestDelegate::BuildLayout(graphics);
    if (graphics->ControlCount() == 0) graphics->AddControl(new BarKnob());
  }
  IGraphicsWin* Graphics() const { return static_cast<IGraphicsWin*>(GetUI()); }
};

LPARAM At(int x, int y) {
  return MAKELPARAM(x, y);
}

// The host's side: a top-level window the editor is embedded in, as a Windows host makes it.
class WinEditorTest : public ::testing::Test {
protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KelvoraTestHost";
    RegisterClassW(&wc);
    mHost = CreateWindowExW(0, L"KelvoraTestHost", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            1000, 800, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(mHost, nullptr);
    mParent.window = mHost;
    mParent.screenScale = 1.f;
  }
  void TearDown() override {
    mDelegate.CloseEditor();
    if (mHost) DestroyWindow(mHost);
  }

  IGraphicsWin* Open() {
    if (!mDelegate.OpenEditor(&mParent)) return nullptr;
    PumpMessages(250);
    return mDelegate.Graphics();
  }

  // RGBA of the editor's pixel (x, y) in the frame the editor draws next, read back from the
  // window's back buffer before it is presented: Wine shows a GL child window's frame neither
  // on the screen nor in its front buffer.
  static std::array<uint8_t, 4> Pixel(IGraphicsWin& g, int x, int y) {
    std::array<uint8_t, 4> rgba{};
    WinGLContext::Current current(g.EditorViewHandle()->Context());
    g.MarkAllDirty();
    IRECTList rects;
    if (!g.IsDirty(rects)) return rgba;
    g.MarkAllClean();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    g.Draw(rects);
    glReadBuffer(GL_BACK);
    glReadPixels(x, g.WindowHeightPx() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    g.EditorViewHandle()->Context().SwapBuffers();
    return rgba;
  }
  static bool IsRed(const std::array<uint8_t, 4>& p) {
    return p[0] > 200 && p[1] < 50 && p[2] < 50;
  }
  static bool IsGreen(const std::array<uint8_t, 4>& p) {
    return p[0] < 50 && p[1] > 100 && p[2] < 50;
  }

  HWND mHost = nullptr;
  WinEditorParent mParent;
  WinTestDelegate mDelegate;
};

TEST_F(WinEditorTest, OpensAChildWindowOfTheHostAtThePicturesSize) {
  IGraphicsWin* g = Open();
  ASSERT_NE(g, nullptr);
  HWND child = g->EditorWindow();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(GetParent(child), mHost);
  EXPECT_TRUE(IsWindowVisible(child));
  RECT r{};
  GetClientRect(child, &r);
  EXPECT_EQ(r.right - r.left, kWidth);
  EXPECT_EQ(r.bottom - r.top, kHeight);
  EXPECT_GE(g->EditorViewHandle()->Context().StencilBits(), 8);
  EXPECT_TRUE(g->EditorViewHandle()->TimerRunning());
  EXPECT_STREQ(g->PlatformApiName(), "Win32");

  // The editor's own resize gives the window the picture's new size.
  g->Resize(kWidth, kHeight, 1.5f);
  GetClientRect(child, &r);
  EXPECT_EQ(r.right, 600);
  EXPECT_EQ(r.bottom, 450);
  // A size the host gives scales the picture to fit it.
  SetWindowPos(child, nullptr, 0, 0, 200, 400, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_FLOAT_EQ(g->DrawScale(), 0.5f);
  EXPECT_EQ(g->WindowWidthPx(), 200);

  mDelegate.CloseEditor();
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(g->EditorWindow(), nullptr);
}

TEST_F(WinEditorTest, DrawsItsControlsIntoTheWindowsFrame) {
  IGraphicsWin* g = Open();
  ASSERT_NE(g, nullptr);
  EXPECT_GT(g->DrawnFrameCount(), 0u);
  // The gain's default 50 puts the green's top at the knob's middle.
  EXPECT_TRUE(IsRed(Pixel(*g, 150, 110)));
  EXPECT_TRUE(IsRed(Pixel(*g, 105, 145)));
  EXPECT_TRUE(IsGreen(Pixel(*g, 150, 190)));
  EXPECT_TRUE(IsGreen(Pixel(*g, 195, 155)));
  EXPECT_FALSE(IsRed(Pixel(*g, 50, 50)));
  EXPECT_FALSE(IsGreen(Pixel(*g, 50, 50)));

  // An idle editor draws nothing.
  const uint64_t frames = g->DrawnFrameCount();
  PumpMessages(200);
  EXPECT_EQ(g->DrawnFrameCount(), frames);
}

TEST_F(WinEditorTest, ADragSentAsWindowMessagesTurnsTheKnobAndIsRedrawn) {
  IGraphicsWin* g = Open();
  ASSERT_NE(g, nullptr);
  HWND child = g->EditorWindow();
  const double before = mDelegate.GetParam(TestDelegate::kGain)->Normalized();

  SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 150));
  // The knob hides and locks the pointer while it turns.
  EXPECT_TRUE(g->CursorIsLocked());
  for (int y = 145; y >= 120; y -= 5)
    SendMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, At(150, y));
  SendMessageW(child, WM_LBUTTONUP, 0, At(150, 120));
  EXPECT_FALSE(g->CursorIsHidden());

  ASSERT_FALSE(mDelegate.events.empty());
  EXPECT_EQ(mDelegate.events.front(), "begin 0");
  EXPECT_EQ(mDelegate.events.back(), "end 0");
  const double after = mDelegate.GetParam(TestDelegate::kGain)->Normalized();
  EXPECT_GT(after, before + 0.02);

  PumpMessages(150);
  const int newTop = static_cast<int>(200.0 - after * 100.0);
  EXPECT_TRUE(IsGreen(Pixel(*g, 150, (150 + newTop) / 2)));
  EXPECT_TRUE(IsRed(Pixel(*g, 150, newTop - 3)));
}

TEST_F(WinEditorTest, DoubleClickAndWheelReachTheControl) {
  IGraphicsWin* g = Open();
  ASSERT_NE(g, nullptr);
  HWND child = g->EditorWindow();
  IParam* gain = mDelegate.GetParam(TestDelegate::kGain);

  POINT screen{150, 150};
  ClientToScreen(child, &screen);
  SendMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
  EXPECT_GT(gain->Normalized(), 0.5);

  // A double click returns the knob to its default.
  SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 150));
  SendMessageW(child, WM_LBUTTONUP, 0, At(150, 150));
  SendMessageW(child, WM_LBUTTONDBLCLK, MK_LBUTTON, At(150, 150));
  SendMessageW(child, WM_LBUTTONUP, 0, At(150, 150));
  EXPECT_DOUBLE_EQ(gain->Normalized(), 0.5);
}

TEST_F(WinEditorTest, TheSystemsTextFieldCommitsOnReturnAndCancelsOnEscape) {
  IGraphicsWin* g = Open();
  ASSERT_NE(g, nullptr);
  IControl* knob = g->ControlAt(0);
  ASSERT_NE(knob, nullptr);

  g->CreateTextEntry(*knob, IText(), IRECT(100.f, 100.f, 200.f, 130.f), "50", 0);
  ASSERT_NE(g->OpenTextEntry(), nullptr);
  HWND edit = g->OpenTextEntry()->Edit();
  EXPECT_EQ(GetParent(edit), g->EditorWindow());
  EXPECT_EQ(g->OpenTextEntry()->Text(), "50");
  SetWindowTextW(edit, L"75");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages(50);
  EXPECT_EQ(g->OpenTextEntry(), nullptr);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_NEAR(mDelegate.GetParam(TestDelegate::kGain)->Normalized(), 0.75, 1e-9);
  EXPECT_EQ(g->GetControlInTextEntry(), nullptr);

  g->CreateTextEntry(*knob, IText(), IRECT(100.f, 100.f, 200.f, 130.f), "75", 0);
  ASSERT_NE(g->OpenTextEntry(), nullptr);
  SetWindowTextW(g->OpenTextEntry()->Edit(), L"10");
  SendMessageW(g->OpenTextEntry()->Edit(), WM_KEYDOWN, VK_ESCAPE, 0);
  PumpMessages(50);
  EXPECT_EQ(g->OpenTextEntry(), nullptr);
  EXPECT_EQ(g->GetControlInTextEntry(), nullptr);
  EXPECT_NEAR(mDelegate.GetParam(TestDelegate::kGain)->Normalized(), 0.75, 1e-9);
}

TEST_F(WinEditorTest, AHostThatDestroysItsWindowFirstLeavesTheEditorClosableAndQuiet) {
  IGraphicsWin* g = Open();
  ASSERT_NE(g, nullptr);
  DestroyWindow(mHost);
  mHost = nullptr;
  EXPECT_TRUE(g->EditorViewHandle()->IsLost());
  EXPECT_FALSE(g->EditorViewHandle()->TimerRunning());
  g->MarkAllDirty();
  PumpMessages(50);
  mDelegate.CloseEditor();
  EXPECT_FALSE(g->IsEditorWindowOpen());
}

} // namespace
