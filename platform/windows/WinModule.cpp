#include "WinModule.h"

namespace WinModule {

HINSTANCE Instance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&Instance), &module);
  return module;
}

WindowClass::WindowClass(const wchar_t* name, WNDPROC proc, UINT style) : mName(name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  mAtom = RegisterClassExW(&wc);
}

WindowClass::~WindowClass() {
  if (mAtom) UnregisterClassW(mName, Instance());
}

} // namespace WinModule
