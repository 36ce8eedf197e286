#include "WinDpi.h"

#include <windows.h>

namespace WinDpi {

namespace {

using GetDpiForWindowFunc = UINT(WINAPI*)(HWND);

GetDpiForWindowFunc LookUpGetDpiForWindow() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<GetDpiForWindowFunc>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")));
}

} // namespace

unsigned DpiOf(HWND window) {
  static const GetDpiForWindowFunc getDpiForWindow = LookUpGetDpiForWindow();
  const UINT dpi = window && getDpiForWindow ? getDpiForWindow(window) : 0;
  return dpi > 0 ? dpi : kBaseDpi;
}

float ScaleOf(HWND window) {
  return static_cast<float>(DpiOf(window)) / static_cast<float>(kBaseDpi);
}

} // namespace WinDpi
