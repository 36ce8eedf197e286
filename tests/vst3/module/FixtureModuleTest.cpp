// The module layer as a host meets it: the test bundle loaded with dlopen and driven through
// its exported entry points, its factory and the instances it creates.
#include "EventList.h"
#include "HostStrings.h"
#include "ParameterChanges.h"
#include "ProcessBuffers.h"
#include "Vst3Module.h"
#include "fixture/FixtureClasses.h"

#include "base/source/fstreamer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

const std::string kBundle = KELVORA_TEST_FIXTURE_BUNDLE;

std::string canonical(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? resolved : "";
}

// What the fixture writes as its state: its gain, the number of live instances and the
// paths its module found for itself.
struct FixtureState {
  double gain = 0.0;
  int32 liveInstances = -1;
  std::string modulePath, bundlePath, resourcePath;
};

FixtureState readState(IComponent& component) {
  auto stream = owned(new MemoryStream);
  FixtureState state;
  if (component.getState(stream) != kResultOk) return state;
  stream->seek(0, IBStream::kIBSeekSet, nullptr);
  IBStreamer streamer(stream, kLittleEndian);
  streamer.readDouble(state.gain);
  streamer.readInt32(state.liveInstances);
  for (std::string* text : {&state.modulePath, &state.bundlePath, &state.resourcePath}) {
    std::unique_ptr<char8[]> read(streamer.readStr8());
    *text = read ? read.get() : "";
  }
  return state;
}

int liveInstances(const Vst3Module& module) {
  auto component = module.createInstance<IComponent>(kFixtureClassId2.toTUID());
  return component ? readState(*component).liveInstances - 1 : -1;
}

TEST(FixtureModule, ExportsExactlyTheThreeEntryPoints) {
  const std::string command =
      "nm -D --defined-only '" + Vst3Module::binaryPathOf(kBundle) + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[1024];
  while (fgets(line, sizeof(line), pipe)) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) names.insert(name);
  }
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(names, (std::set<std::string>{"GetPluginFactory", "ModuleEntry", "ModuleExit"}));
}

TEST(FixtureModule, BundleHoldsModuleAndFont) {
  EXPECT_FALSE(canonical(Vst3Module::binaryPathOf(kBundle)).empty());
  EXPECT_FALSE(canonical(kBundle + "/Contents/Resources/Roboto-Regular.ttf").empty());
}

TEST(FixtureModule, EntryAndExitAreCounted) {
  void* handle = dlopen(Vst3Module::binaryPathOf(kBundle).c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto entry = reinterpret_cast<bool (*)(void*)>(dlsym(handle, "ModuleEntry"));
  auto exit = reinterpret_cast<bool (*)()>(dlsym(handle, "ModuleExit"));
  ASSERT_TRUE(entry && exit);

  EXPECT_FALSE(exit()) << "exit without entry";
  EXPECT_TRUE(entry(nullptr));
  EXPECT_FALSE(exit()) << "a null handle was counted";
  EXPECT_TRUE(entry(handle));
  EXPECT_TRUE(entry(handle));
  EXPECT_TRUE(exit());
  EXPECT_TRUE(exit());
  EXPECT_FALSE(exit());
  // Counting starts afresh after a refused exit.
  EXPECT_TRUE(entry(handle));
  EXPECT_TRUE(exit());
  dlclose(handle);
}

TEST(FixtureModule, FindsItsOwnPathAndBundle) {
  Vst3Module module(kBundle);
  ASSERT_TRUE(module.loaded()) << module.error();
  auto component = module.createInstance<IComponent>(kFixtureClassId2.toTUID());
  ASSERT_TRUE(component);
  const FixtureState state = readState(*component);
  EXPECT_EQ(state.modulePath, canonical(module.binaryPath()));
  EXPECT_EQ(state.bundlePath, canonical(kBundle));
  EXPECT_EQ(state.resourcePath, canonical(kBundle) + "/Contents/Resources");
}

TEST(FixtureModule, FactoryIsSharedAndCounted) {
  Vst3Module module(kBundle);
  ASSERT_TRUE(module.loaded()) << module.error();
  IPluginFactory* factory = module.factory();
  const uint32 before = factory->addRef();
  factory->release();

  IPluginFactory* again = module.getPluginFactory();
  EXPECT_EQ(again, factory);
  EXPECT_EQ(again->addRef(), before + 1);
  again->release();
  again->release();

  void* obj = nullptr;
  ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, &obj), kResultOk);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(static_cast<IPluginFactory3*>(obj)->countClasses(), 3);
  EXPECT_EQ(static_cast<IPluginFactory3*>(obj)->release(), before - 1);
  obj = &obj;
  EXPECT_EQ(factory->queryInterface(IComponent::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
}

TEST(FixtureModule, FactoryDescribesEveryRegisteredClass) {
  Vst3Module module(kBundle);
  ASSERT_TRUE(module.loaded()) << module.error();
  IPluginFactory* factory = module.factory();
  FUnknownPtr<IPluginFactory3> factory3(factory);
  ASSERT_TRUE(factory3);

  PFactoryInfo factoryInfo;
  ASSERT_EQ(factory->getFactoryInfo(&factoryInfo), kResultOk);
  const PFactoryInfo expectedFactory = FixtureFactoryInfo();
  EXPECT_EQ(memcmp(&factoryInfo, &expectedFactory, sizeof(PFactoryInfo)), 0);
  ASSERT_EQ(factory->countClasses(), 3);

  // Registered narrow: the unicode description is the same text widened.
  PClassInfo2 info2;
  PClassInfoW infoW;
  ASSERT_EQ(factory3->getClassInfo2(0, &info2), kResultOk);
  const PClassInfo2 expected2 = FixtureClassInfo2();
  EXPECT_EQ(memcmp(&info2, &expected2, sizeof(PClassInfo2)), 0);
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &infoW), kResultOk);
  EXPECT_EQ(memcmp(infoW.cid, kFixtureClassId2.toTUID(), sizeof(TUID)), 0);
  EXPECT_EQ(KelvoraTestHost::asciiOf(infoW.name), "Kelvora Test Fixture");
  EXPECT_EQ(KelvoraTestHost::asciiOf(infoW.vendor), "Fixture Vendor");
  EXPECT_EQ(KelvoraTestHost::asciiOf(infoW.version), "0.0.1");
  EXPECT_EQ(KelvoraTestHost::asciiOf(infoW.sdkVersion), "VST 3.7.2");
  EXPECT_STREQ(infoW.subCategories, "Fx|Test");
  EXPECT_EQ(infoW.classFlags, 2u);

  // Registered wide: narrow answers carry '?' for what ASCII cannot hold.
  ASSERT_EQ(factory3->getClassInfoUnicode(1, &infoW), kResultOk);
  const PClassInfoW expectedW = FixtureClassInfoW();
  EXPECT_EQ(memcmp(&infoW, &expectedW, sizeof(PClassInfoW)), 0);
  ASSERT_EQ(factory3->getClassInfo2(1, &info2), kResultOk);
  EXPECT_STREQ(info2.name, "Fixture Wide ?");
  EXPECT_STREQ(info2.vendor, "Wide Vendor");
  EXPECT_STREQ(info2.version, "0.0.2");
  EXPECT_STREQ(info2.sdkVersion, "VST 3.7.2");
  EXPECT_STREQ(info2.subCategories, "Fx|Dynamics");
  EXPECT_STREQ(info2.category, "Audio Module Class");
  EXPECT_EQ(info2.cardinality, 1);

  // Registered basic: the extended fields are empty.
  PClassInfo info;
  ASSERT_EQ(factory->getClassInfo(2, &info), kResultOk);
  const PClassInfo expectedBasic = FixtureClassInfo();
  EXPECT_EQ(memcmp(&info, &expectedBasic, sizeof(PClassInfo)), 0);
  ASSERT_EQ(factory3->getClassInfo2(2, &info2), kResultOk);
  EXPECT_STREQ(info2.name, "Fixture Basic");
  EXPECT_STREQ(info2.subCategories, "");
  EXPECT_STREQ(info2.version, "");
  EXPECT_EQ(info2.classFlags, 0u);

  EXPECT_EQ(factory->getClassInfo(3, &info), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo(-1, &info), kInvalidArgument);
  EXPECT_EQ(factory3->getClassInfo2(3, &info2), kInvalidArgument);
  EXPECT_EQ(factory3->getClassInfoUnicode(-1, &infoW), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo(0, nullptr), kInvalidArgument);
  EXPECT_EQ(factory->getFactoryInfo(nullptr), kInvalidArgument);
}

TEST(FixtureModule, FailedCreationsLeaveNothingBehind) {
  Vst3Module module(kBundle);
  ASSERT_TRUE(module.loaded()) << module.error();
  IPluginFactory* factory = module.factory();

  TUID unknown;
  memcpy(unknown, kFixtureClassId2.toTUID(), sizeof(TUID));
  unknown[0] ^= 0x55;
  void* obj = &obj;
  EXPECT_EQ(factory->createInstance(unknown, IComponent::iid, &obj), kNoInterface);
  EXPECT_EQ(obj, nullptr);
  obj = &obj;
  EXPECT_EQ(factory->createInstance(kFixtureClassId2.toTUID(), IPluginFactory::iid, &obj),
            kNoInterface);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(factory->createInstance(kFixtureClassId2.toTUID(), IComponent::iid, nullptr),
            kInvalidArgument);
  EXPECT_EQ(factory->createInstance(nullptr, IComponent::iid, &obj), kInvalidArgument);

  EXPECT_EQ(liveInstances(module), 0);
  // Every class, whichever way it was registered, creates a working instance.
  for (const FUID* cid : {&kFixtureClassId2, &kFixtureClassIdW, &kFixtureClassIdBasic})
    EXPECT_TRUE(module.createInstance<IAudioProcessor>(cid->toTUID()));
  EXPECT_EQ(liveInstances(module), 0);
}

class FixtureInstance : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(module.loaded()) << module.error();
    component = module.createInstance<IComponent>(kFixtureClassId2.toTUID());
    ASSERT_TRUE(component);
    ASSERT_EQ(component->initialize(&hostApplication), kResultOk);
    processor = FUnknownPtr<IAudioProcessor>(component);
    ASSERT_TRUE(processor);
  }
  void TearDown() override {
    if (component) component->terminate();
  }

  Vst3Module module{kBundle};
  // The SDK's host application is not reference counted: it lives as long as the test.
  HostApplication hostApplication;
  IPtr<IComponent> component;
  IPtr<IAudioProcessor> processor;
};

TEST_F(FixtureInstance, ReportsItsBuses) {
  EXPECT_EQ(component->getBusCount(kAudio, kInput), 1);
  EXPECT_EQ(component->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(component->getBusCount(kEvent, kInput), 1);
  EXPECT_EQ(component->getBusCount(kEvent, kOutput), 1);

  BusInfo info{};
  ASSERT_EQ(component->getBusInfo(kAudio, kOutput, 0, info), kResultTrue);
  EXPECT_EQ(KelvoraTestHost::asciiOf(info.name), "Stereo Out");
  EXPECT_EQ(info.channelCount, 2);
  EXPECT_EQ(info.busType, kMain);
  EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
  ASSERT_EQ(component->getBusInfo(kEvent, kOutput, 0, info), kResultTrue);
  EXPECT_EQ(info.channelCount, 1);
  EXPECT_EQ(info.flags, 0u);

  SpeakerArrangement arr = 0;
  ASSERT_EQ(processor->getBusArrangement(kInput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kStereo);

  TUID cid;
  EXPECT_EQ(component->getControllerClassId(cid), kResultFalse);
  EXPECT_TRUE(FUnknownPtr<IEditController>(component));
}

TEST_F(FixtureInstance, RefusesBadInput) {
  BusInfo info{};
  EXPECT_EQ(component->getBusInfo(kAudio, kInput, 1, info), kInvalidArgument);
  EXPECT_EQ(component->getBusInfo(kEvent, kOutput, -3, info), kInvalidArgument);
  EXPECT_EQ(component->getBusInfo(2, kInput, 0, info), kInvalidArgument);
  EXPECT_EQ(component->activateBus(kAudio, kOutput, 4, true), kInvalidArgument);
  SpeakerArrangement arr = 0;
  EXPECT_EQ(processor->getBusArrangement(kOutput, 1, arr), kInvalidArgument);

  SpeakerArrangement mono[2] = {SpeakerArr::kMono, SpeakerArr::kMono};
  EXPECT_EQ(processor->setBusArrangements(mono, 2, mono, 1), kResultFalse);
  EXPECT_EQ(processor->setBusArrangements(mono, 1, mono, 0), kResultFalse);
  EXPECT_EQ(processor->setBusArrangements(nullptr, 1, mono, 1), kInvalidArgument);
  EXPECT_EQ(processor->setBusArrangements(mono, 1, mono, -1), kInvalidArgument);
  ASSERT_EQ(processor->getBusArrangement(kOutput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kStereo);

  EXPECT_EQ(processor->setBusArrangements(mono, 1, mono, 1), kResultTrue);
  ASSERT_EQ(processor->getBusArrangement(kOutput, 0, arr), kResultTrue);
  EXPECT_EQ(arr, SpeakerArr::kMono);

  ProcessSetup setup{kRealtime, 7, 256, 48000.0};
  EXPECT_EQ(processor->setupProcessing(setup), kResultFalse);
  void* obj = nullptr;
  EXPECT_EQ(component->queryInterface(IComponent::iid, nullptr), kInvalidArgument);
  EXPECT_EQ(component->queryInterface(IPluginFactory::iid, &obj), kNoInterface);
}

class FixtureProcessing : public FixtureInstance, public ::testing::WithParamInterface<int32> {};

TEST_P(FixtureProcessing, AppliesTheLastAutomationPointAndPassesEvents) {
  const int32 sampleSize = GetParam();
  ProcessSetup setup{kRealtime, sampleSize, 64, 48000.0};
  ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
  ASSERT_EQ(component->setActive(true), kResultOk);
  ASSERT_EQ(processor->setProcessing(true), kResultOk);

  KelvoraTestHost::ProcessBuffers buffers(sampleSize, 64, {2}, {2});
  for (int c = 0; c < 2; ++c)
    for (int s = 0; s < 64; ++s)
      buffers.setInput(0, c, s, (c + 1) * 0.01 * s);
  auto changes = owned(new KelvoraTestHost::ParameterChanges);
  changes->add(0, 0, 0.2);
  changes->add(0, 10, 0.7);
  changes->add(0, 40, 0.25);
  auto events = owned(new KelvoraTestHost::EventList);
  auto eventsOut = owned(new KelvoraTestHost::EventList);
  Event note{};
  note.type = Event::kNoteOnEvent;
  note.sampleOffset = 3;
  note.noteOn.pitch = 60;
  events->addEvent(note);
  note.sampleOffset = 9;
  note.noteOn.pitch = 64;
  events->addEvent(note);

  ProcessData& data = buffers.data();
  data.inputParameterChanges = changes;
  data.inputEvents = events;
  data.outputEvents = eventsOut;
  ASSERT_EQ(processor->process(data), kResultOk);

  for (int c = 0; c < 2; ++c)
    for (int s = 0; s < 64; ++s)
      ASSERT_NEAR(buffers.output(0, c, s), buffers.input(0, c, s) * 0.25, 1e-6) << c << " " << s;
  ASSERT_EQ(eventsOut->getEventCount(), 2);
  Event out{};
  ASSERT_EQ(eventsOut->getEvent(1, out), kResultOk);
  EXPECT_EQ(out.sampleOffset, 9);
  EXPECT_EQ(out.noteOn.pitch, 64);
  EXPECT_EQ(eventsOut->getEvent(2, out), kInvalidArgument);

  EXPECT_EQ(processor->setProcessing(false), kResultOk);
  EXPECT_EQ(component->setActive(false), kResultOk);
}

INSTANTIATE_TEST_SUITE_P(SampleSizes, FixtureProcessing, ::testing::Values(kSample32, kSample64));

TEST_F(FixtureInstance, ExposesItsParameterThroughTheController) {
  FUnknownPtr<IEditController> controller(component);
  ASSERT_TRUE(controller);
  EXPECT_EQ(controller->getParameterCount(), 1);
  ParameterInfo info{};
  ASSERT_EQ(controller->getParameterInfo(0, info), kResultOk);
  EXPECT_EQ(KelvoraTestHost::asciiOf(info.title), "Gain");
  EXPECT_EQ(info.defaultNormalizedValue, 1.0);
  EXPECT_EQ(controller->getParameterInfo(1, info), kResultFalse);
  EXPECT_EQ(controller->getParameterInfo(-1, info), kResultFalse);
}

TEST(FixtureModule, InstancesCreatedFromTwoThreadsAtOnce) {
  Vst3Module module(kBundle);
  ASSERT_TRUE(module.loaded()) << module.error();
  std::atomic<bool> go{false};
  std::atomic<int> working{0};
  auto create = [&] {
    while (!go)
      std::this_thread::yield();
    for (int i = 0; i < 20; ++i) {
      IPluginFactory* factory = module.getPluginFactory();
      void* obj = nullptr;
      if (factory->createInstance(kFixtureClassId2.toTUID(), IComponent::iid, &obj) == kResultOk) {
        auto* component = static_cast<IComponent*>(obj);
        if (component->initialize(nullptr) == kResultOk &&
            component->getBusCount(kAudio, kOutput) == 1)
          ++working;
        component->terminate();
        component->release();
      }
      factory->release();
    }
  };
  std::thread first(create);
  std::thread second(create);
  go = true;
  first.join();
  second.join();
  EXPECT_EQ(working, 40);
  EXPECT_EQ(liveInstances(module), 0);
}

} // namespace
