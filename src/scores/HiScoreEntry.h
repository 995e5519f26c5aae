#pragma once
#include <cstdint>
#include <string>
#include <utility>

// One row of a high-score table: a player's name and score.
class HiScoreEntry {
public:
  HiScoreEntry() = default;
  HiScoreEntry(std::string entryName, int32_t entryScore)
      : name(std::move(entryName)), score(entryScore) {}
  virtual ~HiScoreEntry() = default;
  HiScoreEntry(const HiScoreEntry&) = default;
  HiScoreEntry& operator=(const HiScoreEntry&) = default;
  HiScoreEntry(HiScoreEntry&&) = default;
  HiScoreEntry& operator=(HiScoreEntry&&) = default;

  bool operator==(const HiScoreEntry& other) const {
    return name == other.name && score == other.score;
  }

  std::string name;
  int32_t score = 0;
};
