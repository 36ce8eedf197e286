#include "EffectHarness.h"
#include "HostedKelvora.h"
#include "IPlugVST3Constants.h"
#include "KelvoraLv2.h"
#include "SystemCallTrap.h"

#include "lv2/atom/atom.h"
#include "lv2/buf-size/buf-size.h"
#include "lv2/options/options.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

// Every allocation of this test program passes through here, so a block that allocates shows.
// The replacements pair malloc with free themselves, which the compiler cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
} // namespace

void* operator new(std::size_t size) {
  if (counting.load()) allocations.fetch_add(1);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  if (counting.load()) allocations.fetch_add(1);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete[](void* p) noexcept {
  operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

long AllocationsDuring(Kelvora& k, const Stereo& in, Stereo& out) {
  double* inputs[2] = {const_cast<double*>(in.left.data()), const_cast<double*>(in.right.data())};
  double* outputs[2] = {out.left.data(), out.right.data()};
  const int n = static_cast<int>(in.left.size());
  allocations = 0;
  counting = true;
  k.RenderBlock(inputs, outputs, n);
  k.RenderBlock(inputs, outputs, n);
  counting = false;
  return allocations.load();
}

TEST(RealTime, BlocksNeverAllocate) {
  KelvoraInstance kInstance;
  Kelvora& k = kInstance.get();
  Prepare(k, 48000);
  const Stereo in = TestSignal(512);
  Stereo out = in;
  SetParamValue(k, kReact, 1);
  for (int os : {0, 1, 2, 3, 0}) {
    SetParamValue(k, kOversampling, os);
    EXPECT_EQ(AllocationsDuring(k, in, out), 0) << os;
  }
  k.SetSampleRate(88200);
  k.ResetProcessing();
  EXPECT_EQ(AllocationsDuring(k, in, out), 0);
  SetParamValue(k, kBypass, 1);
  EXPECT_EQ(AllocationsDuring(k, in, out), 0);
}

using namespace hosted;

// Parameter changes that send a block down every path through the binding, the frame and the
// effect: every oversampling setting, React, Delta, the effect's own bypass and the host bypass.
struct EveryPath {
  OneChange react{kReact, 1.0}, delta{kDelta, 1.0}, deltaOff{kDelta, 0.0};
  OneChange bypass{kBypass, 1.0}, bypassOff{kBypass, 0.0};
  OneChange hostBypass{kBypassParamID, 1.0}, hostBypassOff{kBypassParamID, 0.0};
  OneChange oversampling[4] = {{kOversampling, 0.0},
                               {kOversampling, 1.0 / 3.0},
                               {kOversampling, 2.0 / 3.0},
                               {kOversampling, 1.0}};

  // Ends with a block without inputs.
  void Run(HostedKelvora& hosted) {
    hosted.Process(&react);
    for (OneChange& os : oversampling) {
      hosted.Process(&os);
      hosted.Process();
    }
    for (IParameterChanges* change : {&delta, &deltaOff, &bypass, &bypassOff, &hostBypass,
                                      static_cast<OneChange*>(nullptr), &hostBypassOff})
      hosted.Process(change);
    hosted.Process(&oversampling[0], false);
  }
};

// The real random device, not a test seed source: the seeds must come without system calls too.
// A first instance takes the thread's one-time work (the sanitizers' type caches among it); the
// second is traced from its first block on.
TEST(RealTime, ProcessMakesNoSystemCallsAndNoAllocations) {
  for (int32 sampleSize : {kSample64, kSample32}) {
    HostedKelvora first(sampleSize, 256);
    HostedKelvora traced(sampleSize, 256);
    EveryPath paths;
    long allocationsSeen = 0;
    const std::vector<long> calls = SystemCallsDuring([&] { paths.Run(first); },
                                                      [&] {
                                                        allocations = 0;
                                                        counting = true;
                                                        paths.Run(traced);
                                                        counting = false;
                                                        allocationsSeen = allocations.load();
                                                      });
    ASSERT_NE(calls, std::vector<long>{-1}) << "no seccomp filter could be installed";
    EXPECT_EQ(calls, std::vector<long>{}) << "sample size " << sampleSize;
    EXPECT_EQ(allocationsSeen, 0) << "sample size " << sampleSize;
  }
}

// The LV2 plug-in as a host that announces blocks of 256 frames runs it, through its descriptor.
class HostedLv2 {
public:
  HostedLv2()
      : pluginClass(MakeLv2PluginClass("urn:kelvora:test", 2, "urn:kelvora:test#state",
                                       "urn:kelvora:test#State", CreateKelvoraLv2Instance)),
        d(pluginClass.descriptor) {
    const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0,
                                           Map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
                                           Map(LV2_ATOM__Int), &kPrepared},
                                          {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    const LV2_Feature mapFeature{LV2_URID__map, &map};
    const LV2_Feature optionsFeature{LV2_OPTIONS__options,
                                     const_cast<LV2_Options_Option*>(options)};
    const LV2_Feature* features[] = {&mapFeature, &optionsFeature, nullptr};
    handle = d.instantiate(&d, 48000.0, "", features);
    const Lv2PortLayout ports = static_cast<IPlugLV2*>(handle)->Ports();
    for (int c = 0; c < 2; ++c) {
      in[c].assign(kLongest, 0.f);
      out[c].assign(kLongest, 0.f);
      for (int s = 0; s < kLongest; ++s)
        in[c][s] = 0.6f * std::sin(0.02f * s + c);
      d.connect_port(handle, ports.AudioIn(c), in[c].data());
      d.connect_port(handle, ports.AudioOut(c), out[c].data());
    }
    for (int i = 0; i < kNumParams; ++i) {
      controls[i] = static_cast<float>(kDefaultParamValues[i]);
      d.connect_port(handle, ports.Control(i), &controls[i]);
    }
    d.connect_port(handle, ports.Enabled(), &enabled);
    d.activate(handle);
  }
  ~HostedLv2() {
    d.deactivate(handle);
    d.cleanup(handle);
  }
  HostedLv2(const HostedLv2&) = delete;
  HostedLv2& operator=(const HostedLv2&) = delete;

  // Every path through ports, binding, frame and effect, in runs of one frame, of the announced
  // length and longer than announced; a port holding no number among them.
  void Run() {
    const auto run = [&](int param, float value) {
      controls[param] = value;
      for (uint32_t n : {1u, 256u, static_cast<uint32_t>(kLongest)})
        d.run(handle, n);
    };
    run(kReact, 1.f);
    for (float os : {0.f, 1.f, 2.f, 3.f})
      run(kOversampling, os);
    run(kDelta, 1.f);
    run(kDelta, 0.f);
    run(kBypass, 1.f);
    run(kBypass, 0.f);
    run(kInputGain, std::nanf(""));
    enabled = 0.f;
    run(kInputGain, 150.f);
    enabled = 1.f;
    run(kOversampling, 0.f);
  }

  bool Instantiated() const { return handle != nullptr; }

private:
  static constexpr int kLongest = 700;
  static constexpr int32_t kPrepared = 256;

  LV2_URID Map(const char* uri) {
    return uris.emplace(uri, static_cast<LV2_URID>(uris.size() + 1)).first->second;
  }

  std::map<std::string, LV2_URID> uris;
  LV2_URID_Map map{this, [](LV2_URID_Map_Handle h, const char* uri) {
                     return static_cast<HostedLv2*>(h)->Map(uri);
                   }};
  Lv2PluginClass pluginClass;
  const LV2_Descriptor& d;
  LV2_Handle handle = nullptr;
  std::vector<float> in[2], out[2];
  float controls[kNumParams] = {};
  float enabled = 1.f;
};

TEST(RealTime, Lv2RunMakesNoSystemCallsAndNoAllocations) {
  HostedLv2 first, traced;
  ASSERT_TRUE(first.Instantiated() && traced.Instantiated());
  long allocationsSeen = 0;
  const std::vector<long> calls = SystemCallsDuring([&] { first.Run(); },
                                                    [&] {
                                                      allocations = 0;
                                                      counting = true;
                                                      traced.Run();
                                                      counting = false;
                                                      allocationsSeen = allocations.load();
                                                    });
  ASSERT_NE(calls, std::vector<long>{-1}) << "no seccomp filter could be installed";
  EXPECT_EQ(calls, std::vector<long>{});
  EXPECT_EQ(allocationsSeen, 0);
}

TEST(RealTime, TheTrapSeesSystemCallsOnlyWhileTracing) {
  long pid = 0;
  const std::vector<long> calls =
      SystemCallsDuring([] { syscall(SYS_getppid); }, [&] { pid = syscall(SYS_getpid); });
  EXPECT_EQ(calls, std::vector<long>{SYS_getpid});
  // The trapped call was still carried out.
  EXPECT_EQ(pid, static_cast<long>(getpid()));
}

TEST(RealTime, TheCounterSeesAllocations) {
  counting = true;
  allocations = 0;
  delete new int(3);
  counting = false;
  EXPECT_EQ(allocations.load(), 2);
}

} // namespace
