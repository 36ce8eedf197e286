#include "EffectHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

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

TEST(RealTime, TheCounterSeesAllocations) {
  counting = true;
  allocations = 0;
  delete new int(3);
  counting = false;
  EXPECT_EQ(allocations.load(), 2);
}

} // namespace
