// Before any X11 header: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include "IGraphicsLinux.h"
#include "IGraphicsView_vKelvora_vst3.h"
#include "KeepGLDriverLoaded.h"
#include "TestRunLoop.h"
#include "WindowTestDelegate.h"
#include "XEmbedClient.h"
#include "XTestPointer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <vector>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

// The host as an XEmbed embedder: its own connection, a window it embeds the editor in, and
// the protocol's messages sent the way an embedder sends them.
class XEmbedTest : public ::testing::Test {
protected:
  void SetUp() override {
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    KeepGLDriverLoaded();
    mXEmbed = XInternAtom(mDisplay, "_XEMBED", False);
    mParent = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, kWidth, kHeight, 0,
                                  0, 0x202020);
    XSelectInput(mDisplay, mParent, KeyPressMask | KeyReleaseMask);
    XMapWindow(mDisplay, mParent);
    XSync(mDisplay, False);
    mRecord.window = mParent;
    mRecord.runLoop = &mLoop;
    ASSERT_TRUE(mDelegate.OpenEditor(&mRecord));
    mLoop.Pump(100);
    mView = mDelegate.Graphics()->EditorViewHandle();
    ASSERT_NE(mView, nullptr);
  }
  void TearDown() override {
    if (!mDisplay) return;
    mDelegate.CloseEditor();
    XDestroyWindow(mDisplay, mParent);
    XCloseDisplay(mDisplay);
  }

  void Send(long message, long detail = 0, long data1 = 0, long data2 = 0) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = mView->GetWindow();
    event.xclient.message_type = mXEmbed;
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = message;
    event.xclient.data.l[2] = detail;
    event.xclient.data.l[3] = data1;
    event.xclient.data.l[4] = data2;
    XSendEvent(mDisplay, mView->GetWindow(), False, NoEventMask, &event);
    XSync(mDisplay, False);
    mLoop.Pump(40);
  }

  // The messages of the given type that reached the host's window since the last call.
  std::vector<XEvent> HostEvents(int type) {
    XSync(mDisplay, False);
    std::vector<XEvent> events;
    while (XPending(mDisplay)) {
      XEvent event;
      XNextEvent(mDisplay, &event);
      if (event.type == type) events.push_back(event);
    }
    return events;
  }

  Display* mDisplay = nullptr;
  Atom mXEmbed = 0;
  Window mParent = 0;
  TestRunLoop mLoop;
  XTestPointer mPointer{[this](int milliseconds) { mLoop.Pump(milliseconds); }, 40};
  LinuxEditorParent mRecord;
  // An editor without controls: it takes no key, so every key is the host's.
  WindowTestDelegate mDelegate{kWidth, kHeight};
  IGraphicsView_vKelvora_vst3* mView = nullptr;
};

TEST_F(XEmbedTest, TheWindowGivenToTheHostAnnouncesVersionZeroMapped) {
  const Atom info = XInternAtom(mDisplay, "_XEMBED_INFO", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(mDisplay, mView->GetWindow(), info, 0, 2, False, info, &type,
                               &format, &count, &remaining, &data),
            Success);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(type, info);
  EXPECT_EQ(format, 32);
  ASSERT_EQ(count, 2u);
  const long* words = reinterpret_cast<const long*>(data);
  EXPECT_EQ(words[0], 0);
  EXPECT_EQ(words[1], XEmbedClient::kFlagMapped);
  XFree(data);
}

TEST_F(XEmbedTest, FollowsTheEmbeddersNotifyFocusAndActivation) {
  const XEmbedClient& client = mView->XEmbed();
  EXPECT_FALSE(client.IsEmbedded());
  // An embedder of a later protocol version: both speak the lower one.
  Send(XEmbedClient::kEmbeddedNotify, 0, static_cast<long>(mParent), 1);
  EXPECT_EQ(client.Embedder(), mParent);
  EXPECT_EQ(client.Version(), 0);

  Send(XEmbedClient::kWindowActivate);
  EXPECT_TRUE(client.IsActive());
  Send(XEmbedClient::kFocusIn, 1);
  EXPECT_TRUE(client.HasFocus());
  Send(XEmbedClient::kFocusOut);
  EXPECT_FALSE(client.HasFocus());
  Send(XEmbedClient::kWindowDeactivate);
  EXPECT_FALSE(client.IsActive());
  // Unknown messages are the protocol's future: taken and ignored.
  Send(42);
  EXPECT_EQ(client.Embedder(), mParent);
}

TEST_F(XEmbedTest, AClickAsksTheEmbedderForTheFocusOnceEmbedded) {
  const auto click = [&] { mPointer.ClickAt(mView->GetWindow(), 50.f, 50.f, 1.f, 60); };
  const auto focusRequests = [&] {
    int n = 0;
    for (const XEvent& e : HostEvents(ClientMessage))
      n += e.xclient.window == mParent && e.xclient.message_type == mXEmbed &&
                   e.xclient.data.l[1] == XEmbedClient::kRequestFocus
               ? 1
               : 0;
    return n;
  };
  click();
  EXPECT_EQ(focusRequests(), 0) << "a host without XEmbed gets no messages";
  Send(XEmbedClient::kEmbeddedNotify, 0, static_cast<long>(mParent), 0);
  click();
  EXPECT_EQ(focusRequests(), 1);
}

// An embedder forwards the keys its focus window gets to the client: a key that came that way
// and that the editor does not use must not go back, or the two would bounce it for ever.
TEST_F(XEmbedTest, KeysTheHostSentAreNotSentBackButTypedOnesAre) {
  Send(XEmbedClient::kEmbeddedNotify, 0, static_cast<long>(mParent), 0);
  HostEvents(KeyPress);
  XEvent key{};
  key.xkey.type = KeyPress;
  key.xkey.display = mDisplay;
  key.xkey.window = mView->GetWindow();
  key.xkey.root = DefaultRootWindow(mDisplay);
  key.xkey.keycode = XKeysymToKeycode(mDisplay, XK_F7);
  key.xkey.same_screen = True;
  XSendEvent(mDisplay, mView->GetWindow(), False, KeyPressMask, &key);
  XSync(mDisplay, False);
  mLoop.Pump(60);
  EXPECT_TRUE(HostEvents(KeyPress).empty());

  // A key typed into the editor's window is the host's as before.
  XSetInputFocus(mDisplay, mView->GetWindow(), RevertToParent, CurrentTime);
  XTestFakeKeyEvent(mDisplay, XKeysymToKeycode(mDisplay, XK_F7), True, CurrentTime);
  XTestFakeKeyEvent(mDisplay, XKeysymToKeycode(mDisplay, XK_F7), False, CurrentTime);
  XSync(mDisplay, False);
  mLoop.Pump(60);
  const std::vector<XEvent> forwarded = HostEvents(KeyPress);
  ASSERT_EQ(forwarded.size(), 1u);
  EXPECT_EQ(forwarded[0].xkey.window, mParent);
}

} // namespace
