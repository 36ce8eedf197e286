#pragma once

#include "IColor.h"

#include <string>

// The editor's panels, file choosers, colour picker and links through the desktop's own
// programs: zenity, else kdialog, and xdg-open. Without them each answers as a panel the
// user cancelled. All calls are modal and run on the user-interface thread.
namespace DesktopDialogs {

// The dialog program in use: "zenity", "kdialog" or "" when neither is installed.
const char* DialogTool();

// Kinds and answers as for every platform: 0 OK, 1 OK/Cancel, 3 Yes/Cancel/No, 4 Yes/No,
// 5 Retry/Cancel; 1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No. Any other kind shows nothing and
// answers 2, and so does a desktop without a dialog program.
int ShowMessage(const char* title, const char* message, int kind);

// fileName and folder give the start; on OK fileName is the chosen path and folder its
// folder followed by "/". Otherwise fileName is left empty. action 1 saves, others open.
void ChooseFile(std::string& fileName, std::string& folder, int action, const char* extensions);

// The chosen folder followed by "/", or "" when cancelled. An empty start is "~/Desktop".
void ChooseDirectory(std::string& folder);

// False when no picker exists; otherwise true, with picked telling whether a colour was
// chosen into color.
bool AskForColor(IColor& color, const char* prompt, bool& picked);

// A text holding "http" is opened as a web address, anything else as a file path.
bool OpenLinkOrPath(const char* text);
bool RevealInFileBrowser(const char* path, bool select);

// "~" and "~/" at the start become the home folder.
std::string ExpandHome(const std::string& path);

} // namespace DesktopDialogs
