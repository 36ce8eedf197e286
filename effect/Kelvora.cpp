#include "Kelvora.h"

template class KelvoraEffect<IPlugVST3>;
template KelvoraEffect<IPlugVST3>::KelvoraEffect(const InstanceInfo&);
