#pragma once

#include <string>

// The user's and the system's standard folders: the freedesktop.org conventions on Linux, the
// known folders on Windows. Paths are UTF-8 with "/" separators and come without a trailing
// "/" unless noted; "" when the folder cannot be known.

std::string HomeFolderPath();
std::string DesktopFolderPath();
std::string MusicFolderPath();

// <data folder>/<vendor>/<plug-in>/ with a trailing "/"; the data folder is the user's
// ($XDG_DATA_HOME; Windows: the roaming application data) or, when systemWide, the system's
// ($XDG_DATA_DIRS; Windows: the program data). "" when longer than kMaxFolderPathLength.
std::string PresetsFolderPath(const char* vendorName, const char* pluginName, bool systemWide);

// <user data folder>/<name>; "" when longer than kMaxFolderPathLength.
std::string AppSupportFolderForName(const char* name);

// The user's data folder, or the system's when system is true.
std::string AppSupportFolderPath(bool system);

// Application group containers exist only on macOS: always false with path "".
bool AppGroupContainerPath(const char* groupID, std::string& path);

constexpr size_t kMaxFolderPathLength = 1024;
