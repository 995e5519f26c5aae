#include "base/Debug.h"

#include <cstdio>
#include <cstdlib>

bool DebugOutputEnabled() {
  static const bool enabled = std::getenv("ZESTBOX_DEBUG") != nullptr;
  return enabled;
}

void DebugOutput(const char* text) {
  if (text != nullptr && DebugOutputEnabled()) {
    std::fputs(text, stderr);
  }
}
