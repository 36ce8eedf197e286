#include "IPreset.h"

#include <cstring>

void IPreset::SetName(const char* name) {
  const size_t length = name ? strnlen(name, MAX_PRESET_NAME_LEN - 1) : 0;
  if (length) std::memmove(mName, name, length);
  mName[length] = '\0';
}
