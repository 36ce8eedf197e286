#pragma once

#include "IBitmap.h"
#include "KeyedCache.h"

// One graphics context's decoded images by resource name and scale; owns them. It lives and
// dies with its context, so its reference count stays unused.
using BitmapCache = KeyedCache<APIBitmap>;
