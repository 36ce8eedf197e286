#include "EffectHarness.h"
#include "HostedKelvora.h"
#include "IPlugVST3Constants.h"
#include "SystemCallTrap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
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
