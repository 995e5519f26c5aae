#pragma once
#include <cstdint>
#include <functional>

// What a level sets when it begins. The same level always gives the same rules.
struct LevelRules {
  int32_t quota;             // ordinary eggs to catch before the next level
  int32_t maxEggs;           // eggs under way at once
  int32_t goldenOdds;        // a golden egg when a draw mod this is 1
  int32_t spoiledOdds;       // a spoiled egg when a draw mod this is 1
  int32_t spawnDelayBase;    // ms between eggs: base + a draw mod spread
  int32_t spawnDelaySpread;  // ms
  uint32_t spawnDelayMs;     // ms before the level's first draw of a delay
  float eggSpeed;            // factor of the eggs' roll and spin
};

// `level` is 1 and up.
LevelRules RulesForLevel(int32_t level);

// The kind of the next egg (a CEgg::Kind). `draw` deals the dice's next number:
// once for the golden chance and, unless that hits, once for the spoiled one.
// Only one golden egg comes in a level, however the dice fall.
int32_t DrawEggKind(const LevelRules& rules, bool goldenThisLevel, const std::function<int32_t()>& draw);
