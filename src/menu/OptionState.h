#pragma once
#include <cstdint>

// Where an option stands in being chosen by movement.
enum class OptionState : int32_t {
  deactivated = 0,           // idle
  semideactivated = 1,       // released: the held time drains away
  awaitingdeactivation = 2,  // no motion anywhere for a moment: progress kept for 200 ms
  activated = 3,             // being held: the bar fills
  chosen = 4,                // held for its whole duration; final
};

// The trace line written when an option enters `state`.
const char* OptionStateTrace(OptionState state);
