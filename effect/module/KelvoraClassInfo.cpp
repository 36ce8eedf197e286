#include "KelvoraClassInfo.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/vsttypes.h"

using namespace Steinberg;

const PFactoryInfo& KelvoraFactoryInfo() {
  static const PFactoryInfo info("Murkwhale", "https://murkwhale.example/kelvora",
                                 "support@murkwhale.example", PFactoryInfo::kUnicode);
  return info;
}

const PClassInfo2& KelvoraClassInfo() {
  // 'MKHL' and 'ofzo' in the last two words are the manufacturer and plug-in codes.
  static const FUID classId(0xF2AEE70D, 0x00DE4F4E, 0x4D4B484C, 0x6F667A6F);
  static const PClassInfo2 info(classId.toTUID(), PClassInfo::kManyInstances, kVstAudioEffectClass,
                                "Kelvora", Vst::kSimpleModeSupported, "Fx", "", "1.1.5",
                                kVstVersionString);
  return info;
}
