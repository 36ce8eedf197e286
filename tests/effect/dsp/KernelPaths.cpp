#include "KernelPaths.h"

#include "KernelDispatch.h"

namespace kelvora {

std::vector<KernelPath> AvailableKernelPaths() {
  const std::int64_t runnable = RunnableTargets(ReadCpuRegisters());
  std::vector<KernelPath> paths;
  for (const KernelVariant& variant : CompiledKernelVariants())
    if (variant.target & runnable) paths.push_back({variant.target, variant.name});
  return paths;
}

void UseKernelPath(std::int64_t target) {
  const std::int64_t runnable = RunnableTargets(ReadCpuRegisters());
  KernelFunction* kernel = nullptr;
  for (const KernelVariant& variant : CompiledKernelVariants())
    if (variant.target == target && (target & runnable)) kernel = variant.function;
  chosenKernel.store(kernel, std::memory_order_relaxed);
}

} // namespace kelvora
