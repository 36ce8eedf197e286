#include "KelvoraClassInfo.h"

#include "KelvoraIdentity.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/vsttypes.h"

using namespace Steinberg;

const PFactoryInfo& KelvoraFactoryInfo() {
  static const PFactoryInfo info(kKelvoraVendor, kKelvoraUrl, kKelvoraEmail,
                                 PFactoryInfo::kUnicode);
  return info;
}

const PClassInfo2& KelvoraClassInfo() {
  static const FUID classId(kKelvoraClassId[0], kKelvoraClassId[1], kKelvoraClassId[2],
                            kKelvoraClassId[3]);
  static const PClassInfo2 info(classId.toTUID(), PClassInfo::kManyInstances, kVstAudioEffectClass,
                                kKelvoraName, Vst::kSimpleModeSupported, "Fx", "", kKelvoraVersion,
                                kVstVersionString);
  return info;
}
