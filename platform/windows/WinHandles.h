#pragma once

// The Win32 handle types, as <windows.h> declares them, for headers that pass handles along
// without pulling in <windows.h> and its macros (DrawText, LoadBitmap...) that would rename
// the framework's own functions in every file that includes them.
struct HWND__;
struct HDC__;
struct HGLRC__;
struct HMENU__;
using WinWindow = HWND__*;
