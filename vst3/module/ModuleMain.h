#pragma once

#include "pluginterfaces/base/fplatform.h"

// The entry points a Linux VST 3 host calls around loading and unloading the module: the handle
// dlopen gave it, once per load, and a matching exit.
extern "C" {
SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle);
SMTG_EXPORT_SYMBOL bool ModuleExit();
}

// Hooks run when the first entry arrives and when the last exit leaves.
bool InitModule();
bool DeinitModule();

// The first handle given to ModuleEntry; null before any.
void* ModuleMainHandle();
// Handles received since the module was first entered; all are let go at the last exit.
int ModuleMainHandleCount();
// Absolute path of the loaded shared object, "" until ModuleEntry has found it.
const char* ModuleMainPath();
// The ".vst3" folder around the shared object, "" when it is not laid out as a bundle.
const char* ModuleMainBundlePath();
// The bundle's "Contents/Resources" folder, "" when there is no bundle.
const char* ModuleMainResourcePath();
