#include "FuzzPlugin.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (bool chunks : {false, true}) {
    FuzzPlugin plugin(chunks, 2);
    plugin.ReadBankData(data, size);
    plugin.CheckInvariants();
    std::vector<uint8_t> image;
    if (!plugin.MakeBankFile(image)) __builtin_trap();
    FuzzPlugin reader(chunks, 2);
    if (!reader.ReadBankData(image.data(), image.size())) __builtin_trap();
  }
  return 0;
}
