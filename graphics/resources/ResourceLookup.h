#pragma once

#include <string>
#include <vector>

// Finding the file of an image resource at the best pixel density available.

// How the backend is to read a found resource.
enum EResourceLocation { kNotFound = 0, kFilePath = 1, kPreloadedTexture = 3 };

// Densities to try for a target: the target first, then from 3 down to 1 without the target
// again (target 1: 1, 3, 2; target 2: 2, 3, 1; target 4: 4, 3, 2, 1). Targets below 1 count
// as 1.
std::vector<int> DensitySearchOrder(int targetScale);

// The file name of a density variant, "%s@%dx%s": Nuppi.png at 2 is Nuppi@2x.png; a name
// whose last "." lies in a folder (folder.v2/Knob) is not cut and becomes folder.v2/Knob@2x.
// Density 1 is the name itself. At most the name's length plus 3 characters.
std::string DensityVariantName(const std::string& name, int density);

// Asks the platform's resource lookup for each density in turn; the first found sets path
// and sourceScale and gives its location. kNotFound (path "") when none is found.
EResourceLocation FindImageResource(const char* name, std::string& path, int targetScale,
                                    int& sourceScale, const char* bundleID,
                                    const char* sharedResourcesSubPath);
