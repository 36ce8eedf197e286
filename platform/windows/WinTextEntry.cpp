#include "WinTextEntry.h"

#include "WinText.h"

#include <windows.h>

#include <cmath>
#include <vector>

// A message of the editor's own, from the field to its parent.
unsigned WinTextEntry::EndMessage() {
  return WM_APP + 0x4B;
}

struct WinTextEntryProc {
  static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* entry = reinterpret_cast<WinTextEntry*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    if (!entry) return DefWindowProcW(edit, message, wParam, lParam);
    const auto previous = reinterpret_cast<WNDPROC>(entry->mPreviousProc);
    switch (message) {
    case WM_GETDLGCODE:
      // A dialog-based host would otherwise take Return and Escape for its own buttons.
      return DLGC_WANTALLKEYS | CallWindowProcW(previous, edit, message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        entry->PostEnd(wParam == VK_RETURN);
        return 0;
      }
      break;
    case WM_CHAR:
      // The field is single-line: these would only beep.
      if (wParam == L'\r' || wParam == 27) return 0;
      break;
    case WM_KILLFOCUS:
      entry->PostEnd(true);
      break;
    default:
      break;
    }
    return CallWindowProcW(previous, edit, message, wParam, lParam);
  }
};

WinTextEntry::WinTextEntry(HWND parent, int x, int y, int w, int h, const char* text, int maxLength,
                           float fontHeightPx, Completion completion)
    : mParent(parent), mCompletion(std::move(completion)) {
  static long long serials = 0;
  mSerial = ++serials;
  mEdit = CreateWindowExW(0, L"EDIT", WinText::Widen(text).c_str(),
                          WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, x, y, w > 0 ? w : 1,
                          h > 0 ? h : 1, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!mEdit) return;
  const int height = static_cast<int>(std::lround(fontHeightPx));
  mFont = CreateFontW(height > 0 ? -height : 0, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                      DEFAULT_PITCH | FF_SWISS, L"Segoe UI");
  if (mFont) SendMessageW(mEdit, WM_SETFONT, reinterpret_cast<WPARAM>(mFont), FALSE);
  if (maxLength > 0) SendMessageW(mEdit, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  SetWindowLongPtrW(mEdit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  mPreviousProc =
      SetWindowLongPtrW(mEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinTextEntryProc::Proc));
  SendMessageW(mEdit, EM_SETSEL, 0, -1);
  SetFocus(mEdit);
}

WinTextEntry::~WinTextEntry() {
  if (mEdit) {
    // Destroying the field takes its focus away, which must no longer end the entry.
    SetWindowLongPtrW(mEdit, GWLP_WNDPROC, mPreviousProc);
    SetWindowLongPtrW(mEdit, GWLP_USERDATA, 0);
    if (GetFocus() == mEdit) SetFocus(mParent);
    DestroyWindow(mEdit);
  }
  if (mFont) DeleteObject(static_cast<HFONT>(mFont));
}

std::string WinTextEntry::Text() const {
  if (!mEdit) return std::string();
  const int length = GetWindowTextLengthW(mEdit);
  std::vector<wchar_t> units(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(mEdit, units.data(), length + 1);
  return WinText::Narrow(units.data());
}

void WinTextEntry::PostEnd(bool committed) {
  if (mEndPosted) return;
  mEndPosted = true;
  PostMessageW(mParent, EndMessage(), committed ? 1 : 0, static_cast<LPARAM>(mSerial));
}

void WinTextEntry::OnEndMessage(bool committed, long long serial) {
  if (serial != mSerial || !mCompletion) return;
  // The completion may destroy this entry, and its own copy with it.
  const Completion completion = mCompletion;
  completion(committed, Text());
}
