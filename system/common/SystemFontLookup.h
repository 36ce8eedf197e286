#pragma once

#include <string>

// The file of the installed font of the family and style, as the system matches it (Linux:
// fontconfig). False when the best match belongs to another family: fontconfig always offers
// some font, and a substitute would be drawn under the wrong name. Windows answers false for
// every name: the editor draws only with the font in its bundle.
bool FindInstalledFontFile(const std::string& family, const std::string& style, std::string& path);
