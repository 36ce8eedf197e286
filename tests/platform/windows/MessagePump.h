#pragma once

#include <windows.h>

// The host's message loop in miniature: dispatches every message of the thread for the given
// time, as a Windows host's user-interface thread does.
inline void PumpMessages(int milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(2);
  } while (GetTickCount64() < end);
}
