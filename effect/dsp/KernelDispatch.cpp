#include "KernelDispatch.h"

#include <hwy/detect_targets.h>

#include <algorithm>
#include <cpuid.h>

namespace kelvora {
namespace {

// What a variant needs of the CPU: every extension its compiler flags allow the compiler to use
// (Highway's "sse2,ssse3"; for AVX2 also "sse4.1,sse4.2,pclmul,aes,avx,avx2,bmi,bmi2,fma,f16c"),
// with SSE3 and LZCNT, which Highway's own check also asks for, and for AVX2 the operating system
// saving the XMM and YMM registers (XCR0 bits 1 and 2) across context switches.
struct Requirement {
  std::int64_t target;
  CpuRegisters bits;
};

constexpr std::uint64_t kXmmYmmState = 0x6;
constexpr CpuRegisters kSsse3 = {bit_SSE3 | bit_SSSE3, bit_SSE | bit_SSE2, 0, 0, 0};
constexpr CpuRegisters kAvx2 = {kSsse3.leaf1Ecx | bit_SSE4_1 | bit_SSE4_2 | bit_PCLMUL | bit_AES |
                                    bit_OSXSAVE | bit_AVX | bit_FMA | bit_F16C,
                                kSsse3.leaf1Edx, bit_BMI | bit_AVX2 | bit_BMI2, bit_ABM,
                                kXmmYmmState};
constexpr Requirement kRequirements[] = {{HWY_SSSE3, kSsse3}, {HWY_AVX2, kAvx2}};

template <typename Word> bool HasAll(Word have, Word need) {
  return (have & need) == need;
}

bool Meets(const CpuRegisters& cpu, const CpuRegisters& need) {
  return HasAll(cpu.leaf1Ecx, need.leaf1Ecx) && HasAll(cpu.leaf1Edx, need.leaf1Edx) &&
         HasAll(cpu.leaf7Ebx, need.leaf7Ebx) && HasAll(cpu.extendedEcx, need.extendedEcx) &&
         HasAll(cpu.xcr0, need.xcr0);
}

std::uint64_t ReadXcr0() {
  std::uint32_t low, high;
  __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

} // namespace

std::atomic<KernelFunction*> chosenKernel{nullptr};

CpuRegisters ReadCpuRegisters() {
  CpuRegisters cpu{};
  unsigned a, b, c, d;
  if (__get_cpuid(1, &a, &b, &c, &d)) {
    cpu.leaf1Ecx = c;
    cpu.leaf1Edx = d;
  }
  if (__get_cpuid_count(7, 0, &a, &b, &c, &d)) cpu.leaf7Ebx = b;
  if (__get_cpuid(0x80000001, &a, &b, &c, &d)) cpu.extendedEcx = c;
  if (HasAll<std::uint32_t>(cpu.leaf1Ecx, bit_OSXSAVE)) cpu.xcr0 = ReadXcr0();
  return cpu;
}

std::int64_t RunnableTargets(const CpuRegisters& cpu) {
  // The portable variant needs nothing beyond x86-64 itself.
  std::int64_t targets = HWY_EMU128 | HWY_SCALAR;
  for (const Requirement& requirement : kRequirements)
    if (Meets(cpu, requirement.bits)) targets |= requirement.target;
  return targets;
}

KernelFunction* BestKernel() {
  const std::int64_t runnable = RunnableTargets(ReadCpuRegisters());
  const KernelVariants variants = CompiledKernelVariants();
  // The last, portable variant when none before it runs here.
  return std::find_if(variants.begin(), variants.end() - 1,
                      [runnable](const KernelVariant& v) { return (v.target & runnable) != 0; })
      ->function;
}

void ProcessChannelPair(const KernelBlock& block, PairState& state, const double* const in[kLanes],
                        double* const out[kLanes], int nFrames) {
  KernelFunction* kernel = chosenKernel.load(std::memory_order_relaxed);
  if (kernel == nullptr) {
    // cpuid and xgetbv are instructions: no system call, lock or allocation on the first block.
    kernel = BestKernel();
    chosenKernel.store(kernel, std::memory_order_relaxed);
  }
  kernel(block, state, in, out, nFrames);
}

} // namespace kelvora
