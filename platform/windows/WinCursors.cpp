#include "WinCursors.h"

#include <windows.h>

namespace WinCursors {

namespace {

unsigned Number(LPCWSTR resource) {
  return static_cast<unsigned>(reinterpret_cast<uintptr_t>(resource));
}

} // namespace

unsigned ResourceOf(int kind) {
  switch (kind) {
  case 1:
    return Number(IDC_IBEAM);
  case 2:
    return Number(IDC_WAIT);
  case 3:
    return Number(IDC_CROSS);
  case 4:
    return Number(IDC_UPARROW);
  case 5:
    return Number(IDC_SIZENWSE);
  case 6:
    return Number(IDC_SIZENESW);
  case 7:
    return Number(IDC_SIZEWE);
  case 8:
    return Number(IDC_SIZENS);
  case 9:
    return Number(IDC_SIZEALL);
  case 10:
    return Number(IDC_NO);
  case 11:
    return Number(IDC_HAND);
  case 12:
    return Number(IDC_APPSTARTING);
  case 13:
    return Number(IDC_HELP);
  default:
    return Number(IDC_ARROW);
  }
}

} // namespace WinCursors
