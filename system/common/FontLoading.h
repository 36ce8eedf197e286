#pragma once

#include "PlatformFont.h"

#include <cstddef>
#include <cstdint>

// The platform's half of loading a font for the editor. Each returns a new platform font,
// or null when there is nothing usable. The font identifier is the caller's business; the
// platform does not keep it.

// A resource file of type "ttf", found in the bundle, the shared folder or as an absolute path.
PlatformFontPtr LoadFontFromFile(const char* fontID, const char* fileName, const char* bundleID,
                                 const char* sharedResourceName);

// A copy of the bytes.
PlatformFontPtr LoadFontFromMemory(const char* fontID, const void* bytes, size_t byteCount);

// An installed font: style 1 is "Bold", 2 "Italic", anything else "Regular".
PlatformFontPtr LoadSystemFont(const char* fontID, const char* familyName, int style);

// The style name that LoadSystemFont asks for.
const char* SystemFontStyleName(int style);
