#include "FuzzPlugin.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The same bytes go to a plug-in with state chunks and to one without; whatever a plug-in
// accepted must write out again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (bool chunks : {false, true}) {
    FuzzPlugin plugin(chunks, 1);
    plugin.ReadProgramData(data, size);
    plugin.CheckInvariants();
    std::vector<uint8_t> image;
    if (!plugin.MakeProgramFile(image)) __builtin_trap();
  }
  return 0;
}
