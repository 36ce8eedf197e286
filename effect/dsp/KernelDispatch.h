#pragma once

#include "KelvoraKernel.h"

#include <atomic>
#include <cstdint>

// Which compiled variant of the kernel runs. The choice is the module's own: a host may load
// other plug-ins built on the same vector library, and none of them sees or moves it.
namespace kelvora {

using KernelFunction = void(const KernelBlock& block, PairState& state,
                            const double* const in[kLanes], double* const out[kLanes], int nFrames);

// One compiled variant: the instruction set it was compiled for, as its Highway target bit.
struct KernelVariant {
  std::int64_t target;
  const char* name;
  KernelFunction* function;
};

struct KernelVariants {
  const KernelVariant* first;
  int count;
  const KernelVariant* begin() const { return first; }
  const KernelVariant* end() const { return first + count; }
};

// Every compiled variant, best first; the last runs on any x86-64 CPU. Defined with the kernel.
KernelVariants CompiledKernelVariants();

// What cpuid and the operating system's saved register state (xgetbv) tell about the CPU.
struct CpuRegisters {
  std::uint32_t leaf1Ecx, leaf1Edx; // cpuid leaf 1
  std::uint32_t leaf7Ebx;           // cpuid leaf 7, sub-leaf 0; 0 where the CPU lacks the leaf
  std::uint32_t extendedEcx;        // cpuid leaf 0x80000001
  std::uint64_t xcr0;               // 0 where the operating system does not enable xgetbv
};

CpuRegisters ReadCpuRegisters();

// The Highway target bits of the compiled variants a CPU with these registers runs.
std::int64_t RunnableTargets(const CpuRegisters& cpu);

// The first compiled variant this CPU runs.
KernelFunction* BestKernel();

// The variant ProcessChannelPair runs: null until the first block picks BestKernel(). Only
// measurements and tests set another, never while a block is rendering.
extern std::atomic<KernelFunction*> chosenKernel;

} // namespace kelvora
