#pragma once

#include "IColor.h"
#include "WinHandles.h"

#include <string>

// The editor's panels, file choosers, colour picker and links through the system's own
// dialogs. All calls are modal over owner and run on the user-interface thread.
namespace WinDialogs {

// Kinds and answers as for every platform, which are Windows' own numbers: 0 OK, 1 OK/Cancel,
// 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel; 1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No. Any other
// kind shows nothing and answers 2.
int ShowMessage(HWND__* owner, const char* title, const char* message, int kind);

// fileName and folder give the start; on OK fileName is the chosen path and folder its
// folder followed by "\". Otherwise fileName is left empty. action 1 saves, others open.
// extensions: space-separated, without dots ("fxp fxb").
void ChooseFile(HWND__* owner, std::string& fileName, std::string& folder, int action,
                const char* extensions);
// The chosen folder followed by "\", or "" when cancelled.
void ChooseDirectory(HWND__* owner, std::string& folder);
// True when a colour was chosen into color.
bool AskForColor(HWND__* owner, IColor& color);

// A web address, file or folder, opened with the program the system has for it.
bool OpenLinkOrPath(const char* text);
// Opens the Explorer on path's folder, with path selected when select is true.
bool RevealInFileBrowser(const char* path, bool select);

// The common file dialog's filter for extensions: "Files (*.a;*.b)", "*.a;*.b", then
// "All files", "*.*", each followed by a null and the whole by a second one.
std::wstring FileFilter(const char* extensions);
// The folder of a path followed by its separator; "" for a bare name.
std::string FolderOf(const std::string& path);

} // namespace WinDialogs
