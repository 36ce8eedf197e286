#pragma once

#include "IPlugLV2.h"
#include "KelvoraEffect.h"

// The effect on the LV2 binding, as the LV2 bundle builds it.
using KelvoraLv2 = KelvoraEffect<IPlugLV2>;
extern template class KelvoraEffect<IPlugLV2>;
extern template KelvoraEffect<IPlugLV2>::KelvoraEffect(const Lv2InstanceInfo&);

// A new instance for an LV2 host, or null when it cannot be made; instances are made one at a
// time. Not for the audio thread.
IPlugLV2* CreateKelvoraLv2Instance(const Lv2InstanceInfo& info);
