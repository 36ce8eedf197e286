#include "ModuleMain.h"

// The module holds no process-wide resources of its own to set up or tear down.
bool InitModule() {
  return true;
}

bool DeinitModule() {
  return true;
}
