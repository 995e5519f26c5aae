#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

// A file in a private folder of the fuzzer process, rewritten per input.
// The folder lives under $TMPDIR (default /tmp) and is left behind on exit:
// libFuzzer ends the process without running destructors.
inline std::string FuzzFolder() {
  static const std::string folder = [] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/zestbox-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

inline std::string WriteFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = FuzzFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  if (!out.flush()) std::abort();
  return path;
}
