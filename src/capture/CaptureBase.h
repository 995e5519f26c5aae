#pragma once
#include <cstdint>
#include <string>

#include "base/Results.h"

// Error reporting shared by the capture classes: every failing operation
// leaves its message here; success never clears it. Main thread.
class CCaptureBase {
 public:
  virtual ~CCaptureBase() = default;

  std::string GetLastErrorText() const { return lastError; }
  Result GetLastResult() const { return lastResult; }

 protected:
  // Replaces the message; the result code stays as it was.
  void SetError(const std::string& text) { lastError = text; }
  // Replaces the message and the result code.
  void SetError(const std::string& text, Result result) {
    lastError = text;
    lastResult = result;
  }

  std::string lastError;
  Result lastResult = S_OK;
};
