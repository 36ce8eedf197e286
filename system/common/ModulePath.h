#pragma once

#include <string>

// The file of the module (shared object or DLL) this framework was linked into, as the
// loader knows it ("" when the loader cannot tell), in UTF-8 with "/" separators. Relative
// loader paths are made absolute.
std::string LoadedModulePath();

// Replaces the loader's answer (tests, tools that run outside a bundle); "" restores it.
void SetModulePathOverride(const std::string& path);
