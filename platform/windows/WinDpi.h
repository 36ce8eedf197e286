#pragma once

#include "WinHandles.h"

// The content scale of a window from the dots per inch of its monitor, 96 being scale 1.
// GetDpiForWindow is asked when the system has it (Windows 10 1607 and later); before that,
// and for a null window, the scale is 1.
namespace WinDpi {

constexpr unsigned kBaseDpi = 96;

unsigned DpiOf(HWND__* window);
float ScaleOf(HWND__* window);

} // namespace WinDpi
