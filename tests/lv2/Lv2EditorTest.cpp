// GoogleTest before Xlib, whose macros (None, Bool) collide with its names.
#include <gtest/gtest.h>

#include "KeepGLDriverLoaded.h"
#include "KelvoraIdentity.h"
#include "KelvoraParams.h"
#include "Lv2PortLayout.h"

#include "lv2/ui/ui.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// The editor as an LV2 host shows it: the built bundle's module loaded, its UI instantiated
// through lv2ui_descriptor in a parent window of the test's own, ticked only through the idle
// interface, with the host's features recording what the editor tells the host. The module
// finds its artwork in its bundle, so what it draws is the product's editor.
namespace {

constexpr int kEditorWidth = 815;
constexpr int kEditorHeight = 505;
// Input Gain's knob in the editor's picture at its own size, in pixels.
constexpr int kKnobX = 133;
constexpr int kKnobY = 165;
constexpr int kKnobRadius = 60;
const Lv2PortLayout kStereo{2, kNumParams};

struct Write {
  uint32_t port;
  float value;
};

class Lv2EditorTest : public ::testing::Test {
protected:
  // One connection for the whole suite: an X server with no client left resets, and refuses
  // the next test's connections meanwhile.
  static void SetUpTestSuite() {
    sDisplay = XOpenDisplay(nullptr);
    if (sDisplay) KeepGLDriverLoaded();
  }
  static void TearDownTestSuite() {
    if (sDisplay) XCloseDisplay(sDisplay);
    sDisplay = nullptr;
  }

  void SetUp() override {
    mDisplay = sDisplay;
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    mModule = dlopen(KELVORA_LV2_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(mModule, nullptr) << dlerror();
    mEntry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(mModule, "lv2ui_descriptor"));
    ASSERT_NE(mEntry, nullptr);
    mDescriptor = mEntry(0);
    ASSERT_NE(mDescriptor, nullptr);
    mParent = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, 1000, 700, 0, 0, 0);
    XMapWindow(mDisplay, mParent);
    XSync(mDisplay, False);
  }

  void TearDown() override {
    if (mHandle) mDescriptor->cleanup(mHandle);
    if (mDisplay) XDestroyWindow(mDisplay, mParent);
    if (mModule) dlclose(mModule);
  }

  bool Open(const char* pluginUri = kKelvoraLv2StereoUri) {
    mHandle = mDescriptor->instantiate(mDescriptor, pluginUri, KELVORA_LV2_BUNDLE, WriteTo, this,
                                       &mWidget, mFeatureList);
    return mHandle != nullptr;
  }

  void UseParent() {
    mParentFeature.data = reinterpret_cast<void*>(static_cast<uintptr_t>(mParent));
  }
  Window Widget() const { return static_cast<Window>(reinterpret_cast<uintptr_t>(mWidget)); }

  int Idle() {
    const auto* idle = static_cast<const LV2UI_Idle_Interface*>(
        mDescriptor->extension_data(LV2_UI__idleInterface));
    return idle->idle(mHandle);
  }

  // Idle calls as a host makes them, for long enough that every timer of the editor came due.
  int IdleFor(int ms) {
    int result = 0;
    for (int elapsed = 0; elapsed < ms; elapsed += 5) {
      result |= Idle();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return result | Idle();
  }

  void SendPort(uint32_t port, float value) {
    mDescriptor->port_event(mHandle, port, sizeof(value), 0, &value);
  }

  void GetGeometry(Window window, int& width, int& height) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    XGetGeometry(mDisplay, window, &root, &x, &y, &w, &h, &border, &depth);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
  }

  // The editor's pixels in a square around Input Gain's knob, once it has drawn.
  std::vector<unsigned long> KnobPixels() {
    IdleFor(60);
    XImage* image = XGetImage(mDisplay, Widget(), kKnobX - kKnobRadius, kKnobY - kKnobRadius,
                              2 * kKnobRadius, 2 * kKnobRadius, AllPlanes, ZPixmap);
    std::vector<unsigned long> pixels;
    if (!image) return pixels;
    for (int y = 0; y < 2 * kKnobRadius; ++y)
      for (int x = 0; x < 2 * kKnobRadius; ++x)
        pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
  }

  // A pointer event as the X server would deliver it to the editor's window, in pixels, with
  // the pointer moved there.
  void SendPointer(int type, int x, int y, unsigned int state) {
    XEvent event{};
    event.type = type;
    XButtonEvent& e = event.xbutton; // motion events share the leading fields
    e.display = mDisplay;
    e.window = Widget();
    e.root = DefaultRootWindow(mDisplay);
    e.x = x;
    e.y = y;
    e.state = state;
    e.same_screen = True;
    e.time = mTime += 500;
    if (type != MotionNotify) e.button = Button1;
    const long mask = type == ButtonPress     ? ButtonPressMask
                      : type == ButtonRelease ? ButtonReleaseMask
                                              : PointerMotionMask;
    // The editor hides and locks the pointer during a drag, from where the pointer really is.
    XWarpPointer(mDisplay, 0, Widget(), 0, 0, 0, 0, x, y);
    XSendEvent(mDisplay, Widget(), False, mask, &event);
    XSync(mDisplay, False);
    IdleFor(20);
  }

  static void WriteTo(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer) {
    auto& test = *static_cast<Lv2EditorTest*>(const_cast<void*>(controller));
    ASSERT_EQ(size, sizeof(float));
    ASSERT_EQ(format, 0u);
    test.mWrites.push_back({port, *static_cast<const float*>(buffer)});
    test.mEvents.push_back('w');
  }

  static Display* sDisplay;
  Display* mDisplay = nullptr;
  void* mModule = nullptr;
  LV2UI_DescriptorFunction mEntry = nullptr;
  const LV2UI_Descriptor* mDescriptor = nullptr;
  Window mParent = 0;
  LV2UI_Handle mHandle = nullptr;
  LV2UI_Widget mWidget = nullptr;
  unsigned long mTime = 1000;

  std::vector<std::pair<int, int>> mSizes; // told through the host's ui:resize
  int mResizeAnswer = 0;                   // what the host's ui:resize returns
  std::vector<Write> mWrites;
  std::vector<std::pair<uint32_t, bool>> mTouches;
  std::vector<char> mEvents; // 'w' write, 't' grab, 'r' release, in order

  LV2UI_Resize mResize{this, [](LV2UI_Feature_Handle h, int w, int hgt) {
                         static_cast<Lv2EditorTest*>(h)->mSizes.emplace_back(w, hgt);
                         return static_cast<Lv2EditorTest*>(h)->mResizeAnswer;
                       }};
  LV2UI_Touch mTouch{this, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                       auto& test = *static_cast<Lv2EditorTest*>(h);
                       test.mTouches.emplace_back(port, grabbed);
                       test.mEvents.push_back(grabbed ? 't' : 'r');
                     }};
  LV2_Feature mParentFeature{LV2_UI__parent, nullptr};
  LV2_Feature mResizeFeature{LV2_UI__resize, &mResize};
  LV2_Feature mTouchFeature{LV2_UI__touch, &mTouch};
  const LV2_Feature* mFeatureList[4] = {&mParentFeature, &mResizeFeature, &mTouchFeature, nullptr};
};

Display* Lv2EditorTest::sDisplay = nullptr;

TEST_F(Lv2EditorTest, OpensInTheParentAtItsSizeAndTellsTheHost) {
  EXPECT_EQ(std::string(mDescriptor->URI), kKelvoraLv2UiUri);
  EXPECT_EQ(mEntry(1), nullptr);
  // Without a parent window, or for a plug-in it does not serve, there is no editor.
  EXPECT_FALSE(Open());
  UseParent();
  EXPECT_FALSE(Open("urn:not:kelvora"));
  ASSERT_TRUE(Open());

  ASSERT_EQ(mSizes.size(), 1u);
  EXPECT_EQ(mSizes[0], std::make_pair(kEditorWidth, kEditorHeight));
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int nChildren = 0;
  XQueryTree(mDisplay, Widget(), &root, &parent, &children, &nChildren);
  if (children) XFree(children);
  EXPECT_EQ(parent, mParent);
  int width = 0, height = 0;
  GetGeometry(Widget(), width, height);
  EXPECT_EQ(width, kEditorWidth);
  EXPECT_EQ(height, kEditorHeight);
  EXPECT_EQ(mDescriptor->extension_data("urn:unknown"), nullptr);
  EXPECT_EQ(IdleFor(50), 0);
  // The artwork is drawn: the knob's square holds more than one colour.
  const std::vector<unsigned long> pixels = KnobPixels();
  ASSERT_FALSE(pixels.empty());
  EXPECT_NE(std::count(pixels.begin(), pixels.end(), pixels.front()),
            static_cast<std::ptrdiff_t>(pixels.size()));
}

TEST_F(Lv2EditorTest, HostValuesTurnTheKnobAndBadOnesAreIgnored) {
  UseParent();
  ASSERT_TRUE(Open());
  const uint32_t port = kStereo.Control(kInputGain);
  SendPort(port, 32.f);
  const std::vector<unsigned long> atDefault = KnobPixels();
  SendPort(port, 200.f);
  const std::vector<unsigned long> atFull = KnobPixels();
  EXPECT_NE(atFull, atDefault);
  // Beyond the range: clamped to the end.
  SendPort(port, 1.0e9f);
  EXPECT_EQ(KnobPixels(), atFull);

  SendPort(port, 32.f);
  // No number, wrong size or format, no buffer, other ports: nothing moves.
  SendPort(port, std::numeric_limits<float>::quiet_NaN());
  const double wide = 200.0;
  mDescriptor->port_event(mHandle, port, sizeof(wide), 0, &wide);
  const float full = 200.f;
  mDescriptor->port_event(mHandle, port, sizeof(full), 7, &full);
  mDescriptor->port_event(mHandle, port, sizeof(full), 0, nullptr);
  SendPort(kStereo.Enabled(), 0.f);
  SendPort(kStereo.Count() + 5, 200.f);
  SendPort(kStereo.AudioIn(0), 200.f);
  EXPECT_EQ(KnobPixels(), atDefault);
  EXPECT_TRUE(mWrites.empty());
  EXPECT_TRUE(mTouches.empty());
}

TEST_F(Lv2EditorTest, DragWritesThePortBetweenTouchGrabAndRelease) {
  UseParent();
  ASSERT_TRUE(Open());
  const uint32_t port = kStereo.Control(kInputGain);
  IdleFor(50);

  SendPointer(ButtonPress, kKnobX, kKnobY, 0);
  for (int step = 1; step <= 3; ++step)
    SendPointer(MotionNotify, kKnobX, kKnobY - step, Button1Mask);
  ASSERT_FALSE(mWrites.empty());
  const float beforeEcho = mWrites.back().value;
  ASSERT_LT(beforeEcho, 200.f);
  // An older value echoed by the host during the drag does not pull the knob back.
  SendPort(port, 0.f);
  for (int step = 4; step <= 6; ++step)
    SendPointer(MotionNotify, kKnobX, kKnobY - step, Button1Mask);
  SendPointer(ButtonRelease, kKnobX, kKnobY - 6, Button1Mask);

  EXPECT_GT(mWrites.back().value, beforeEcho);
  ASSERT_EQ(mTouches.size(), 2u);
  EXPECT_EQ(mTouches[0], std::make_pair(port, true));
  EXPECT_EQ(mTouches[1], std::make_pair(port, false));
  EXPECT_EQ(mEvents.front(), 't');
  EXPECT_EQ(mEvents.back(), 'r');
  for (const Write& w : mWrites) {
    EXPECT_EQ(w.port, port);
    // Plain port units: upwards from the default of 32 %, inside the range.
    EXPECT_GT(w.value, 32.f);
    EXPECT_LE(w.value, 200.f);
  }
}

TEST_F(Lv2EditorTest, FollowsTheSizeTheHostGivesAndStopsWhenTheParentGoes) {
  UseParent();
  ASSERT_TRUE(Open());
  const auto* resize =
      static_cast<const LV2UI_Resize*>(mDescriptor->extension_data(LV2_UI__resize));
  ASSERT_NE(resize, nullptr);
  EXPECT_EQ(resize->ui_resize(mHandle, 408, 253), 0);
  EXPECT_NE(resize->ui_resize(mHandle, 0, 253), 0);
  EXPECT_NE(resize->ui_resize(mHandle, 408, -5), 0);
  EXPECT_EQ(IdleFor(50), 0);
  int width = 0, height = 0;
  GetGeometry(Widget(), width, height);
  EXPECT_EQ(width, 408);
  EXPECT_EQ(height, 253);

  XDestroyWindow(mDisplay, mParent);
  XSync(mDisplay, False);
  mParent = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, 10, 10, 0, 0, 0);
  EXPECT_EQ(IdleFor(50), 1);
}

// The corner drag asks the host for a smaller window; a host that keeps its own has the editor
// back at the size it had, on the next idle call.
TEST_F(Lv2EditorTest, ARefusedSizeTakesTheEditorBackToTheSizeTheHostKept) {
  UseParent();
  ASSERT_TRUE(Open());
  IdleFor(50);
  mResizeAnswer = 1;
  SendPointer(ButtonPress, kEditorWidth - 5, kEditorHeight - 5, 0);
  for (int step = 1; step <= 4; ++step)
    SendPointer(MotionNotify, kEditorWidth - 5 - 30 * step, kEditorHeight - 5 - 20 * step,
                Button1Mask);
  SendPointer(ButtonRelease, kEditorWidth - 125, kEditorHeight - 85, Button1Mask);
  ASSERT_GT(mSizes.size(), 1u);
  EXPECT_LT(mSizes.back().first, kEditorWidth);
  EXPECT_LT(mSizes.back().second, kEditorHeight);
  IdleFor(50);
  int width = 0, height = 0;
  GetGeometry(Widget(), width, height);
  EXPECT_EQ(width, kEditorWidth);
  EXPECT_EQ(height, kEditorHeight);
}

} // namespace
