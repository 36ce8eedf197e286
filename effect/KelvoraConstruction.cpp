#include "KelvoraConstruction.h"

std::mutex& KelvoraConstructionMutex() {
  static std::mutex mutex;
  return mutex;
}
