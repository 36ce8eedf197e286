#include "WinClipboard.h"

#include "WinText.h"

#include <windows.h>

#include <cstring>

namespace WinClipboard {

namespace {

// Closes the clipboard when the scope ends, if it opened.
class OpenClipboardScope {
public:
  explicit OpenClipboardScope(HWND owner) : mOpen(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (mOpen) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return mOpen; }

private:
  bool mOpen;
};

} // namespace

bool Read(HWND owner, std::string& text) {
  text.clear();
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen()) return false;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return false;
  const auto* units = static_cast<const wchar_t*>(GlobalLock(data));
  if (!units) return false;
  // The block may be larger than its text, and another program may have left out the
  // terminator: the text ends at the first null or the end of the block.
  const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  size_t length = 0;
  while (length < capacity && units[length] != L'\0')
    ++length;
  text = WinText::Narrow(std::wstring(units, length));
  GlobalUnlock(data);
  return true;
}

bool Write(HWND owner, const std::string& text) {
  const std::wstring units = WinText::Widen(text);
  const size_t bytes = (units.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return false;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(target, units.c_str(), bytes);
  GlobalUnlock(block);
  OpenClipboardScope clipboard(owner);
  // The system owns the block once SetClipboardData took it.
  if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
}

} // namespace WinClipboard
