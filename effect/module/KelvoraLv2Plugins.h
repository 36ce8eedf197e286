#pragma once

#include "KelvoraIdentity.h"

// The plug-ins of Kelvora.lv2, the stereo one first: the module serves them in this order and
// the description lists them so.
struct KelvoraLv2Plugin {
  const char* uri;
  const char* name;
  int channels;
};

constexpr KelvoraLv2Plugin kKelvoraLv2Plugins[] = {
    {kKelvoraLv2StereoUri, "Kelvora", 2},
    {kKelvoraLv2MonoUri, "Kelvora Mono", 1},
};
