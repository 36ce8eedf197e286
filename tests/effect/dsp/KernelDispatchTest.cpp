#include "KernelDispatch.h"
#include "ChainHarness.h"
#include "KernelPaths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Registers as CPUs of three generations report them; the two without xgetbv read XCR0 as 0, the
// Haswell runs an operating system that saves the x87, XMM and YMM registers (XCR0 = 7).
constexpr kelvora::CpuRegisters kAthlon64 = {0x00000000, 0x078bfbff, 0x00000000, 0x00000001, 0};
constexpr kelvora::CpuRegisters kCore2 = {0x0008e3fd, 0xbfebfbff, 0x00000000, 0x00000001, 0};
constexpr kelvora::CpuRegisters kHaswell = {0x7ffafbbf, 0xbfebfbff, 0x000027ab, 0x00000021, 7};

std::vector<std::string> RunnableVariants(const kelvora::CpuRegisters& cpu) {
  const std::int64_t runnable = kelvora::RunnableTargets(cpu);
  std::vector<std::string> names;
  for (const kelvora::KernelVariant& variant : kelvora::CompiledKernelVariants())
    if (variant.target & runnable) names.push_back(variant.name);
  return names;
}

using Names = std::vector<std::string>;

// Highway's portable variant: EMU128, or SCALAR where the compiler mistranslates EMU128 (GCC
// before 12.3).
const std::string kPortable = kelvora::CompiledKernelVariants().end()[-1].name;

TEST(KernelDispatch, CompilesAvx2AndSsse3BeforeThePortableVariant) {
  Names names;
  for (const kelvora::KernelVariant& variant : kelvora::CompiledKernelVariants())
    names.push_back(variant.name);
  EXPECT_EQ(names, (Names{"AVX2", "SSSE3", kPortable}));
  EXPECT_TRUE(kPortable == "EMU128" || kPortable == "SCALAR") << kPortable;
}

TEST(KernelDispatch, RunsWhatTheCpuAndTheOperatingSystemSupport) {
  EXPECT_EQ(RunnableVariants(kAthlon64), Names{kPortable});
  EXPECT_EQ(RunnableVariants(kCore2), (Names{"SSSE3", kPortable}));
  EXPECT_EQ(RunnableVariants(kHaswell), (Names{"AVX2", "SSSE3", kPortable}));

  // The CPU has AVX2, but the operating system does not save the YMM registers, or has not
  // enabled xgetbv at all: AVX2 code would see its registers change under it.
  kelvora::CpuRegisters noYmmState = kHaswell;
  noYmmState.xcr0 = 3;
  EXPECT_EQ(RunnableVariants(noYmmState), (Names{"SSSE3", kPortable}));
  kelvora::CpuRegisters noOsXsave = kHaswell;
  noOsXsave.leaf1Ecx &= ~(1u << 27);
  EXPECT_EQ(RunnableVariants(noOsXsave), (Names{"SSSE3", kPortable}));

  // Virtual machines that hide FMA or BMI2 while reporting AVX2: the AVX2 variant is compiled
  // with both.
  kelvora::CpuRegisters noFma = kHaswell;
  noFma.leaf1Ecx &= ~(1u << 12);
  EXPECT_EQ(RunnableVariants(noFma), (Names{"SSSE3", kPortable}));
  kelvora::CpuRegisters noBmi2 = kHaswell;
  noBmi2.leaf7Ebx &= ~(1u << 8);
  EXPECT_EQ(RunnableVariants(noBmi2), (Names{"SSSE3", kPortable}));
}

TEST(KernelDispatch, TheFirstBlockRunsTheBestVariantThisCpuRunsUnlessOneIsForced) {
  const std::vector<kelvora::KernelPath> paths = kelvora::AvailableKernelPaths();
  ASSERT_FALSE(paths.empty());
  const kelvora::KernelVariants variants = kelvora::CompiledKernelVariants();
  const kelvora::KernelVariant& portable = variants.end()[-1];
  EXPECT_EQ(paths.back().target, portable.target);
  kelvora::KernelFunction* best = nullptr;
  for (const kelvora::KernelVariant& variant : variants)
    if (variant.target == paths.front().target) best = variant.function;
  EXPECT_EQ(kelvora::BestKernel(), best);

  TestChain chain;
  Prepare(chain, 48000);
  Stereo signal = TestSignal(64);
  double* channels[2] = {signal.left.data(), signal.right.data()};
  kelvora::UseKernelPath(portable.target);
  chain.RenderBlock(channels, channels, 64);
  EXPECT_EQ(kelvora::chosenKernel.load(), portable.function);
  kelvora::UseKernelPath(0);
  EXPECT_EQ(kelvora::chosenKernel.load(), nullptr);
  chain.RenderBlock(channels, channels, 64);
  EXPECT_EQ(kelvora::chosenKernel.load(), best);

  // A target that is not compiled never becomes the kernel.
  std::int64_t compiled = 0;
  for (const kelvora::KernelVariant& variant : variants)
    compiled |= variant.target;
  const std::int64_t notCompiled = (compiled + 1) & ~compiled;
  kelvora::UseKernelPath(paths.front().target);
  kelvora::UseKernelPath(notCompiled);
  EXPECT_EQ(kelvora::chosenKernel.load(), nullptr);
}

} // namespace
