#pragma once
#include <cstdlib>
#include <string>

// Sets an environment variable for the object's lifetime and then puts back
// what was there, so that the tests after it run as before.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* variable, const std::string& value) : name(variable) {
    const char* old = std::getenv(name);
    wasSet = old != nullptr;
    if (wasSet) previous = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (wasSet) {
      setenv(name, previous.c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name;
  bool wasSet = false;
  std::string previous;
};
