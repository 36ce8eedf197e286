#include "ProcessEnvironment.h"

bool IsAppExtensionBundle() {
  return false;
}
bool IsSandboxedProcess() {
  return false;
}
bool IsXpcProcess() {
  return false;
}
