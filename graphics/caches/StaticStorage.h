#pragma once

#include "KeyedCache.h"

// A process-wide cache of loaded resources by name and scale, shared by every editor of the
// process (several plug-in instances in one host); the graphics contexts that exist keep it.
template <class T> using StaticStorage = KeyedCache<T>;
