#pragma once
#include <ostream>

#include "scores/HiScoreEntry.h"

// Readable failure messages for table rows.
inline void PrintTo(const HiScoreEntry& entry, std::ostream* out) {
  *out << '"' << entry.name << "\" " << entry.score;
}
