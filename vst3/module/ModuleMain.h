#pragma once

#include "pluginterfaces/base/fplatform.h"

extern "C" {
#if SMTG_OS_WINDOWS
// The entry points a Windows VST 3 host calls after loading the DLL and before freeing it.
SMTG_EXPORT_SYMBOL bool InitDll();
SMTG_EXPORT_SYMBOL bool ExitDll();
#else
// The entry points a Linux VST 3 host calls around loading and unloading the module: the handle
// dlopen gave it, once per load, and a matching exit.
SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle);
SMTG_EXPORT_SYMBOL bool ModuleExit();
#endif
}

// Hooks run when the first entry arrives and when the last exit leaves.
bool InitModule();
bool DeinitModule();

// The first handle given to ModuleEntry; null before any. On Windows, the DLL's own instance
// handle from the moment the system loads it.
void* ModuleMainHandle();
// Handles received since the module was first entered; all are let go at the last exit. On
// Windows, the entries (InitDll) not yet matched by an exit.
int ModuleMainHandleCount();
// Absolute path of the loaded shared object, "" until the first entry has found it (UTF-8 with
// "/" separators on Windows).
const char* ModuleMainPath();
// The ".vst3" folder around the shared object, "" when it is not laid out as a bundle.
const char* ModuleMainBundlePath();
// The bundle's "Contents/Resources" folder, "" when there is no bundle.
const char* ModuleMainResourcePath();
