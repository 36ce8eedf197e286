#pragma once

#include <string>
#include <vector>

// Other programs the editor hands work to: the shell's program for a link or document, or a
// program by name. Text is UTF-8, as everywhere in the framework.
namespace ExternalTools {

// Whether a program of that name (".exe" added when it has none) is found where the system
// searches: the process's folders, the system folders, then PATH.
bool IsInstalled(const char* name);

// Starts argv[0] with the other arguments without waiting for it. True when it was started.
bool Launch(const std::vector<std::string>& argv);

// Opens a document, folder or web address with the program the user chose for its kind.
// True when the shell started one.
bool OpenWithShell(const std::string& target);

// The arguments as one command line that the C runtime splits back into exactly these
// arguments: spaces, tabs, quotes and the backslashes before quotes are escaped.
std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments);

} // namespace ExternalTools
