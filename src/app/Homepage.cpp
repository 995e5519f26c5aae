#include "app/Homepage.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {
constexpr const char* kShippedPage = "res/web/index.html";

bool IsUnreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
}
}  // namespace

std::string FileUrl(const std::string& absolutePath) {
  std::string url = "file://";
  for (const char ch : absolutePath) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      url += ch;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      url += escaped;
    }
  }
  return url;
}

std::string HomepageUrl(const std::string& configured) {
  if (!configured.empty()) {
    return configured;
  }
  std::error_code error;
  const std::filesystem::path page = std::filesystem::absolute(kShippedPage, error);
  return FileUrl(error ? std::string(kShippedPage) : page.lexically_normal().string());
}
