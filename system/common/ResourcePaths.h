#pragma once

#include <string>

// Finding the file of an editor resource (image, font) by name. The bundle identifier
// names the plug-in's own bundle; the module knows only the bundle it was loaded from, which
// is found through the module's file. Every lookup sets path to "" when it
// answers false.

// The bundle's resources folder, then the shared folder, then the name as an absolute path.
bool FindResourceFile(const char* name, const char* type, const char* bundleID,
                      const char* sharedResourceName, std::string& path);

// <bundle>/Contents/Resources/<name without extension>.<type>, when the name's extension
// matches type ignoring case.
bool FindInBundleResources(const char* name, const char* type, const char* bundleID,
                           std::string& path);

// <music folder>/<sharedResourceName>/Resources/<base name>.<type>, when the name's
// extension matches type ignoring case.
bool FindInSharedResources(const char* name, const char* type, const char* sharedResourceName,
                           std::string& path);

// The module file; path is left unchanged when the module is not inside a bundle.
bool BundleExecutablePath(const char* bundleID, std::string& path);

// The folder holding the bundle, with a trailing "/"; "" when the module is not in a bundle.
std::string BundleFolderPath(const char* bundleID);

// The bundle's resources folder without a trailing "/"; "" when unknown.
std::string BundleResourcePath(const char* bundleID);
