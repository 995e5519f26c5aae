#pragma once
#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable for the object's lifetime and then puts back
// what was there, so that the tests after it run as before.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* variable, const std::string& value) : name(variable) {
    if (const char* old = std::getenv(name)) previous = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() { previous ? setenv(name, previous->c_str(), 1) : unsetenv(name); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name;
  std::optional<std::string> previous;
};
