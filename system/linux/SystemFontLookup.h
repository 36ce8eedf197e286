#pragma once

#include <string>

// The file of the installed font of the family and style, as fontconfig matches it. False
// when the best match belongs to another family: fontconfig always offers some font, and a
// substitute would be drawn under the wrong name.
bool FindInstalledFontFile(const std::string& family, const std::string& style, std::string& path);
