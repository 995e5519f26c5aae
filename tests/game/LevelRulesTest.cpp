#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "game/Egg.h"
#include "game/LevelRules.h"

namespace {

TEST(LevelRulesTest, EachLevelIsFasterAndFullerUpToItsLimits) {
  // Level, then quota, most eggs at once, golden and spoiled odds, and the
  // spawn delay's base, spread and first value (ms).
  const std::pair<int, std::array<int32_t, 7>> rows[] = {
      {1, {8, 1, 55, 45, 500, 1400, 900}},   {2, {10, 1, 60, 40, 500, 1300, 800}},
      {3, {12, 2, 65, 35, 1500, 1200, 700}}, {5, {16, 3, 75, 25, 1500, 1000, 500}},
      {8, {22, 4, 90, 10, 1500, 700, 300}},  {10, {26, 5, 100, 10, 1500, 500, 300}},
      {47, {99, 5, 285, 10, 1500, 500, 300}}, {200, {99, 5, 1050, 10, 1500, 500, 300}},
  };
  for (const auto& [level, expected] : rows) {
    SCOPED_TRACE(level);
    const LevelRules r = RulesForLevel(level);
    EXPECT_EQ((std::array<int32_t, 7>{r.quota, r.maxEggs, r.goldenOdds, r.spoiledOdds, r.spawnDelayBase,
                                      r.spawnDelaySpread, int32_t(r.spawnDelayMs)}), expected);
    EXPECT_NEAR(r.eggSpeed, 1.0 + 0.2 * (level - 1), 1e-4);
  }
}

TEST(LevelRulesTest, TheDiceChooseTheKindAndOnlyOneGoldenEggALevel) {
  struct Row { int level; bool goldenSeen; std::vector<int32_t> dice; int32_t kind; size_t drawn; };
  const Row rows[] = {
      {1, false, {56, 0}, CEgg::kGolden, 1},    {1, true, {56, 46}, CEgg::kSpoiled, 2},
      {1, false, {55, 45}, CEgg::kOrdinary, 2}, {3, false, {56, 36}, CEgg::kSpoiled, 2},
      {3, false, {66, 0}, CEgg::kGolden, 1},    {9, true, {1, 21}, CEgg::kSpoiled, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.level);
    size_t drawn = 0;
    const int32_t kind = DrawEggKind(RulesForLevel(row.level), row.goldenSeen, [&] { return row.dice.at(drawn++); });
    EXPECT_EQ(std::pair(kind, drawn), std::pair(row.kind, row.drawn)) << "the kind, and the numbers drawn for it";
  }
}

}  // namespace
