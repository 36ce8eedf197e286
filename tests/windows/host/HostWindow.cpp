#include "HostWindow.h"

using namespace Steinberg;

namespace {

constexpr wchar_t kClassName[] = L"KelvoraWinHostWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Steps of a drag, and the time the editor gets to handle each.
constexpr int kDragSteps = 8;
constexpr DWORD kStepMs = 40;

bool RegisterHostClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

RECT OuterRect(int clientWidth, int clientHeight) {
  RECT rect{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  return rect;
}

struct LargestChild {
  HWND parent;
  HWND found = nullptr;
  long area = 0;
};

BOOL CALLBACK ConsiderChild(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<LargestChild*>(data);
  RECT rect{};
  if (GetParent(child) != search.parent || !IsWindowVisible(child) || !GetClientRect(child, &rect))
    return TRUE;
  const long area = long(rect.right) * rect.bottom;
  if (area > search.area) {
    search.area = area;
    search.found = child;
  }
  return TRUE;
}

// The deepest visible window under a point, which the point is then relative to.
HWND DeepestAt(HWND window, POINT& point) {
  for (;;) {
    HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == window) return window;
    MapWindowPoints(window, child, &point, 1);
    window = child;
  }
}

void Post(HWND window, UINT message, WPARAM buttons, POINT at) {
  PostMessageW(window, message, buttons, MAKELPARAM(at.x, at.y));
  PumpMessages(kStepMs);
}

} // namespace

HostWindow::~HostWindow() {
  if (window) DestroyWindow(window);
}

bool HostWindow::Create(int clientWidth, int clientHeight) {
  if (!RegisterHostClass()) return false;
  const RECT outer = OuterRect(clientWidth, clientHeight);
  window = CreateWindowExW(0, kClassName, L"Kelvora (Windows host)", kStyle, 0, 0,
                           outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  if (!window) return false;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return true;
}

bool HostWindow::SetClientSize(int width, int height) {
  const RECT outer = OuterRect(width, height);
  return SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND HostWindow::EditorChild() const {
  LargestChild search{window};
  EnumChildWindows(window, ConsiderChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

tresult PLUGIN_API HostFrame::resizeView(IPlugView* view, ViewRect* newSize) {
  if (!view || !newSize) return kInvalidArgument;
  requests.push_back(*newSize);
  if (newSize->getWidth() <= 0 || newSize->getHeight() <= 0 ||
      !window.SetClientSize(newSize->getWidth(), newSize->getHeight()))
    return kResultFalse;
  view->onSize(newSize);
  return kResultTrue;
}

void PumpMessages(DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

bool SendDrag(HWND editor, WindowPoint at, int upPixels) {
  POINT start{at.x, at.y};
  HWND target = DeepestAt(editor, start);
  if (!target) return false;
  Post(target, WM_MOUSEMOVE, 0, start);
  Post(target, WM_LBUTTONDOWN, MK_LBUTTON, start);
  for (int step = 1; step <= kDragSteps; ++step) {
    const POINT to{start.x, start.y - upPixels * step / kDragSteps};
    Post(target, WM_MOUSEMOVE, MK_LBUTTON, to);
  }
  Post(target, WM_LBUTTONUP, 0, POINT{start.x, start.y - upPixels});
  return true;
}
