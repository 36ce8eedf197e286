#pragma once

#include <cstdio>

// Refusals at host and file boundaries: return as the boundary always has, and in test and
// debug builds also name the condition and where it stands, so a refused state, setup or
// preset file leaves a trace. Release builds print nothing, since the plug-in writes no log.
// Never on the audio thread, which does not print.
#ifdef KELVORA_REPORT_REFUSALS
#define KELVORA_REFUSE_IF(cond, ...)                                                               \
  do {                                                                                             \
    if (cond) {                                                                                    \
      std::fprintf(stderr, "refused: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                    \
      return __VA_ARGS__;                                                                          \
    }                                                                                              \
  } while (0)
#else
#define KELVORA_REFUSE_IF(cond, ...)                                                               \
  do {                                                                                             \
    if (cond) return __VA_ARGS__;                                                                  \
  } while (0)
#endif
