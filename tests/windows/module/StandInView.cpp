#include "StandInView.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr wchar_t kClassName[] = L"KelvoraStandInView";
constexpr double kPixelsPerRange = 200.0;

// The module's own instance: its window class goes when the module is unloaded.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

} // namespace

StandInView::StandInView(EditController& controller, ParamID left, ParamID right)
    : CPluginView(nullptr), controller(&controller), leftParam(left), rightParam(right) {
  rect = ViewRect(0, 0, kWidth, kHeight);
}

tresult PLUGIN_API StandInView::isPlatformTypeSupported(FIDString type) {
  return type && std::strcmp(type, kPlatformTypeHWND) == 0 ? kResultTrue : kResultFalse;
}

std::uint32_t StandInView::Pixel(int x, int y) {
  return static_cast<std::uint32_t>((x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x + y) / 4 & 0xFF));
}

void StandInView::attachedToParent() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = ThisModule();
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight,
                           static_cast<HWND>(systemWindow), nullptr, ThisModule(), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void StandInView::removedFromParent() {
  if (window) DestroyWindow(window);
  window = nullptr;
  UnregisterClassW(kClassName, ThisModule());
}

LRESULT CALLBACK StandInView::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<StandInView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  if (view) {
    switch (message) {
    case WM_PAINT:
      view->Paint();
      return 0;
    case WM_LBUTTONDOWN:
      view->Press(x, y);
      return 0;
    case WM_MOUSEMOVE:
      if (wParam & MK_LBUTTON) view->Drag(y);
      return 0;
    case WM_LBUTTONUP:
      view->Release();
      return 0;
    default:
      break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void StandInView::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      pixels[static_cast<std::size_t>(y) * kWidth + x] = Pixel(x, y);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, 0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, pixels.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
  EndPaint(window, &paint);
}

void StandInView::Press(int x, int y) {
  SetCapture(window);
  dragged = x < kWidth / 2 ? leftParam : rightParam;
  dragging = true;
  pressY = y;
  pressValue = controller->getParamNormalized(dragged);
  controller->beginEdit(dragged);
}

void StandInView::Drag(int y) {
  if (!dragging) return;
  const double value = std::clamp(pressValue + (pressY - y) / kPixelsPerRange, 0.0, 1.0);
  controller->setParamNormalized(dragged, value);
  controller->performEdit(dragged, value);
}

void StandInView::Release() {
  if (!dragging) return;
  dragging = false;
  ReleaseCapture();
  controller->endEdit(dragged);
}
