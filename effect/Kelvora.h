#pragma once

#include "IPlugVST3.h"
#include "KelvoraEffect.h"
#include "KelvoraParams.h"

// The effect on the VST 3 binding, as the VST 3 bundle, the tools and the effect's tests build it.
using Kelvora = KelvoraEffect<IPlugVST3>;
extern template class KelvoraEffect<IPlugVST3>;
extern template KelvoraEffect<IPlugVST3>::KelvoraEffect(const InstanceInfo&);
