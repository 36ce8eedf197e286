// The Kelvora factory records and GetPluginFactory, compiled into this executable with a
// stand-in for the effect's creation function.
#include "KelvoraClassInfo.h"
#include "KelvoraCreate.h"
#include "sdk/vstsinglecomponenteffect.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

using namespace Steinberg;

namespace {
std::atomic<int> creations{0};
std::atomic<void*> lastContext{reinterpret_cast<void*>(1)};
} // namespace

FUnknown* CreateKelvoraInstance(void* context) {
  ++creations;
  lastContext = context;
  return static_cast<Vst::IAudioProcessor*>(new Vst::SingleComponentEffect);
}

namespace {

const unsigned char kClassIdBytes[16] = {0xF2, 0xAE, 0xE7, 0x0D, 0x00, 0xDE, 0x4F, 0x4E,
                                         0x4D, 0x4B, 0x48, 0x4C, 0x6F, 0x66, 0x7A, 0x6F};

TEST(KelvoraRecords, FactoryInfo) {
  const PFactoryInfo& info = KelvoraFactoryInfo();
  EXPECT_STREQ(info.vendor, "Murkwhale");
  EXPECT_STREQ(info.url, "https://murkwhale.example/kelvora");
  EXPECT_STREQ(info.email, "support@murkwhale.example");
  EXPECT_EQ(info.flags, 16);
  EXPECT_EQ(sizeof(info.vendor), 64u);
  EXPECT_EQ(sizeof(info.url), 256u);
  EXPECT_EQ(sizeof(info.email), 128u);
  // Zero padding: nothing but zeros after the vendor text.
  for (size_t i = strlen(info.vendor); i < sizeof(info.vendor); ++i)
    EXPECT_EQ(info.vendor[i], 0) << i;
}

TEST(KelvoraRecords, ClassInfo) {
  const PClassInfo2& info = KelvoraClassInfo();
  EXPECT_EQ(memcmp(info.cid, kClassIdBytes, 16), 0);
  EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_STREQ(info.name, "Kelvora");
  EXPECT_EQ(info.classFlags, 2u);
  EXPECT_STREQ(info.subCategories, "Fx");
  EXPECT_STREQ(info.vendor, "");
  EXPECT_STREQ(info.version, "1.1.5");
  EXPECT_STREQ(info.sdkVersion, "VST 3.7.2");
}

TEST(KelvoraRecords, BuiltOnce) {
  EXPECT_EQ(&KelvoraFactoryInfo(), &KelvoraFactoryInfo());
  EXPECT_EQ(&KelvoraClassInfo(), &KelvoraClassInfo());
}

TEST(KelvoraFactory, OffersTheOneClassAndCreatesItThroughTheEffect) {
  IPluginFactory* factory = GetPluginFactory();
  ASSERT_NE(factory, nullptr);
  ASSERT_EQ(factory->countClasses(), 1);

  PFactoryInfo factoryInfo;
  ASSERT_EQ(factory->getFactoryInfo(&factoryInfo), kResultOk);
  EXPECT_EQ(memcmp(&factoryInfo, &KelvoraFactoryInfo(), sizeof(PFactoryInfo)), 0);
  FUnknownPtr<IPluginFactory2> factory2(factory);
  ASSERT_TRUE(factory2);
  PClassInfo2 classInfo;
  ASSERT_EQ(factory2->getClassInfo2(0, &classInfo), kResultOk);
  EXPECT_EQ(memcmp(&classInfo, &KelvoraClassInfo(), sizeof(PClassInfo2)), 0);

  TUID cid;
  memcpy(cid, kClassIdBytes, sizeof(TUID));
  const int before = creations;
  void* obj = nullptr;
  ASSERT_EQ(factory->createInstance(cid, Vst::IAudioProcessor::iid, &obj), kResultOk);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(creations, before + 1);
  EXPECT_EQ(lastContext, nullptr);
  static_cast<Vst::IAudioProcessor*>(obj)->release();

  ASSERT_EQ(factory->createInstance(cid, Vst::IComponent::iid, &obj), kResultOk);
  static_cast<Vst::IComponent*>(obj)->release();

  TUID other;
  memcpy(other, kClassIdBytes, sizeof(TUID));
  other[15] ^= 1;
  obj = &obj;
  EXPECT_EQ(factory->createInstance(other, Vst::IAudioProcessor::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(creations, before + 2);

  factory->release();
}

} // namespace
