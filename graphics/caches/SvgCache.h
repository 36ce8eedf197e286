#pragma once

#include "StaticStorage.h"
#include "SvgDocument.h"

// The parsed SVG documents, shared by every graphics context of the process; documents are
// cached by file name at scale 1.
StaticStorage<SvgDocument>& SvgCache();
