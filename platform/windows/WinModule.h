#pragma once

#include <windows.h>

// The module this code is linked into (the plug-in's DLL, or a test's program) and the window
// classes it registers. A DLL's classes outlive it unless it unregisters them, and a host
// that unloads and loads the plug-in again would find the old class pointing at code that is
// gone: each class is registered once per module and unregistered when the module goes.
namespace WinModule {

HINSTANCE Instance();

class WindowClass {
public:
  WindowClass(const wchar_t* name, WNDPROC proc, UINT style);
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

  bool IsRegistered() const { return mAtom != 0; }
  const wchar_t* Name() const { return mName; }

private:
  const wchar_t* mName;
  ATOM mAtom = 0;
};

} // namespace WinModule
