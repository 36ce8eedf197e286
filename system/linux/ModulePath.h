#pragma once

#include <string>

// The file of the shared object this framework was linked into, as the dynamic loader
// knows it ("" when the loader cannot tell). Relative loader paths are made absolute.
std::string LoadedModulePath();

// Replaces the loader's answer (tests, tools that run outside a bundle); "" restores it.
void SetModulePathOverride(const std::string& path);
