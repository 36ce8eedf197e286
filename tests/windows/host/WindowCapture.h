#pragma once

#include "ScreenImage.h"

#include <windows.h>

#include <cstdint>

// How a window's pixels were read: the window asked to print itself, its own device context,
// or the screen where the window is.
enum class CaptureMethod { kPrintWindow, kWindowDc, kScreenDc };

const char* CaptureMethodName(CaptureMethod method);

// A window's client area as the method sees it; empty when the method fails.
ScreenImage CaptureWindow(HWND window, CaptureMethod method);

// Rows of 32-bit blue, green, red, unused pixels, top row first, stride bytes apart, as RGB.
ScreenImage ImageFromBgrx(const std::uint8_t* pixels, int width, int height, int stride);
