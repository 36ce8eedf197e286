#pragma once

#include "IBitmap.h"
#include "StaticStorage.h"

// The decoded bitmaps of the generic loader, shared by every graphics context of the process.
StaticStorage<APIBitmap>& SharedBitmapCache();
