#include "base/Debug.h"

#include <cstdio>
#include <cstdlib>

// Read each time, so that a test can turn it on for a while.
bool DebugOutputEnabled() { return std::getenv("ZESTBOX_DEBUG") != nullptr; }

void DebugOutput(const char* text) {
  if (text != nullptr && DebugOutputEnabled()) {
    std::fputs(text, stderr);
  }
}
