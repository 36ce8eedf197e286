#include "KelvoraLv2.h"
#include "KelvoraConstruction.h"

template class KelvoraEffect<IPlugLV2>;
template KelvoraEffect<IPlugLV2>::KelvoraEffect(const Lv2InstanceInfo&);

IPlugLV2* CreateKelvoraLv2Instance(const Lv2InstanceInfo& info) {
  return ConstructKelvora<KelvoraLv2>(info);
}
