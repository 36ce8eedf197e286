#include "HostWindow.h"

#include "public.sdk/source/common/pluginview.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Received {
  UINT message;
  WPARAM buttons;
  int x, y;
  bool operator==(const Received& o) const {
    return message == o.message && buttons == o.buttons && x == o.x && y == o.y;
  }
};

std::vector<std::pair<HWND, Received>> received;

LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
    received.push_back({window,
                        {message, wParam, static_cast<short>(LOWORD(lParam)),
                         static_cast<short>(HIWORD(lParam))}});
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Child(HWND parent, int x, int y, int width, int height) {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Record;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KelvoraRecordingChild";
    return RegisterClassW(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExW(0, L"KelvoraRecordingChild", L"", WS_CHILD | WS_VISIBLE, x, y, width,
                         height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

RECT ClientOf(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

// The one real pointer is shared with every program on the display: left over a recording
// window, it would add moves of its own to the drags sent as messages.
void ParkPointerOutside(HWND host) {
  RECT frame{};
  GetWindowRect(host, &frame);
  SetCursorPos(frame.right + 50, frame.bottom + 50);
  PumpMessages(100);
}

std::vector<Received> ReceivedBy(HWND window) {
  std::vector<Received> list;
  for (const auto& [to, what] : received)
    if (to == window) list.push_back(what);
  return list;
}

} // namespace

TEST(HostWindow, DragsReachTheDeepestWindowUnderThePointInItsOwnPixels) {
  HostWindow host;
  ASSERT_TRUE(host.Create(300, 200));
  EXPECT_EQ(ClientOf(host.Handle()).right, 300);
  EXPECT_EQ(ClientOf(host.Handle()).bottom, 200);
  HWND editor = Child(host.Handle(), 10, 10, 200, 150);
  HWND small = Child(host.Handle(), 220, 10, 50, 50);
  HWND knob = Child(editor, 20, 20, 50, 50);
  ASSERT_TRUE(editor && small && knob);
  EXPECT_EQ(host.EditorChild(), editor);

  ParkPointerOutside(host.Handle());
  received.clear();
  ASSERT_TRUE(SendDrag(editor, {40, 45}, 20));
  const std::vector<Received> up = {
      {WM_MOUSEMOVE, 0, 20, 25},          {WM_LBUTTONDOWN, MK_LBUTTON, 20, 25},
      {WM_MOUSEMOVE, MK_LBUTTON, 20, 23}, {WM_MOUSEMOVE, MK_LBUTTON, 20, 20},
      {WM_MOUSEMOVE, MK_LBUTTON, 20, 18}, {WM_MOUSEMOVE, MK_LBUTTON, 20, 15},
      {WM_MOUSEMOVE, MK_LBUTTON, 20, 13}, {WM_MOUSEMOVE, MK_LBUTTON, 20, 10},
      {WM_MOUSEMOVE, MK_LBUTTON, 20, 8},  {WM_MOUSEMOVE, MK_LBUTTON, 20, 5},
      {WM_LBUTTONUP, 0, 20, 5},
  };
  EXPECT_EQ(ReceivedBy(knob), up);
  EXPECT_TRUE(ReceivedBy(editor).empty());

  // Beside the knob the editor's own window takes the drag; downwards the pointer goes down.
  received.clear();
  ASSERT_TRUE(SendDrag(editor, {150, 100}, -8));
  const std::vector<Received> down = ReceivedBy(editor);
  ASSERT_EQ(down.size(), 11u);
  EXPECT_EQ(down.front(), (Received{WM_MOUSEMOVE, 0, 150, 100}));
  EXPECT_EQ(down[2], (Received{WM_MOUSEMOVE, MK_LBUTTON, 150, 101}));
  EXPECT_EQ(down.back(), (Received{WM_LBUTTONUP, 0, 150, 108}));
  EXPECT_TRUE(ReceivedBy(knob).empty());
}

TEST(HostWindow, FrameGrantsAResizeToTheWindowThenTellsTheView) {
  HostWindow host;
  ASSERT_TRUE(host.Create(815, 505));
  auto frame = Steinberg::owned(new HostFrame(host));
  auto view = Steinberg::owned(new Steinberg::CPluginView(nullptr));

  Steinberg::ViewRect larger(0, 0, 1223, 758);
  EXPECT_EQ(frame->resizeView(view, &larger), Steinberg::kResultTrue);
  EXPECT_EQ(ClientOf(host.Handle()).right, 1223);
  EXPECT_EQ(ClientOf(host.Handle()).bottom, 758);
  EXPECT_EQ(view->getRect().getWidth(), 1223);
  EXPECT_EQ(view->getRect().getHeight(), 758);

  Steinberg::ViewRect empty(0, 0, 0, 300);
  EXPECT_EQ(frame->resizeView(view, &empty), Steinberg::kResultFalse);
  EXPECT_EQ(frame->resizeView(view, nullptr), Steinberg::kInvalidArgument);
  EXPECT_EQ(ClientOf(host.Handle()).right, 1223);
  EXPECT_EQ(view->getRect().getWidth(), 1223);
  EXPECT_EQ(frame->requests.size(), 2u);
}
