#pragma once

#include "WinHandles.h"

#include <string>

// Text on the Windows clipboard (CF_UNICODETEXT), converted from and to UTF-8. The clipboard
// is opened for owner, the editor's window (null: the calling task). Another program holding
// the clipboard open makes a call fail rather than wait.
namespace WinClipboard {

// False, with text empty, when the clipboard holds no text or cannot be opened.
bool Read(HWND__* owner, std::string& text);
bool Write(HWND__* owner, const std::string& text);

} // namespace WinClipboard
