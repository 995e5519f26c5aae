#include <gtest/gtest.h>

#include <vector>

#include "game/Egg.h"
#include "game/LevelRules.h"

namespace {

TEST(LevelRulesTest, EachLevelIsFasterAndFullerUpToItsLimits) {
  struct Row {
    int level, quota, maxEggs, goldenOdds, spoiledOdds, base, spread, delay;
  };
  const Row rows[] = {
      {1, 8, 1, 55, 45, 500, 1400, 900},   {2, 10, 1, 60, 40, 500, 1300, 800},  {3, 12, 2, 65, 35, 1500, 1200, 700},
      {5, 16, 3, 75, 25, 1500, 1000, 500}, {8, 22, 4, 90, 10, 1500, 700, 300},  {10, 26, 5, 100, 10, 1500, 500, 300},
      {47, 99, 5, 285, 10, 1500, 500, 300}, {200, 99, 5, 1050, 10, 1500, 500, 300},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.level);
    const LevelRules rules = RulesForLevel(row.level);
    EXPECT_EQ(rules.quota, row.quota);
    EXPECT_EQ(rules.maxEggs, row.maxEggs);
    EXPECT_EQ(rules.goldenOdds, row.goldenOdds);
    EXPECT_EQ(rules.spoiledOdds, row.spoiledOdds);
    EXPECT_EQ(rules.spawnDelayBase, row.base);
    EXPECT_EQ(rules.spawnDelaySpread, row.spread);
    EXPECT_EQ(rules.spawnDelayMs, uint32_t(row.delay));
    EXPECT_NEAR(rules.eggSpeed, 1.0 + 0.2 * (row.level - 1), 1e-4);
  }
}

TEST(LevelRulesTest, TheDiceChooseTheKindAndOnlyOneGoldenEggALevel) {
  struct Row {
    int level;
    bool goldenSeen;
    std::vector<int32_t> dice;
    int32_t kind;
    size_t drawn;
  };
  const Row rows[] = {
      {1, false, {56, 0}, CEgg::kGolden, 1},    {1, true, {56, 46}, CEgg::kSpoiled, 2},
      {1, false, {55, 45}, CEgg::kOrdinary, 2}, {3, false, {56, 36}, CEgg::kSpoiled, 2},
      {3, false, {66, 0}, CEgg::kGolden, 1},    {9, true, {1, 21}, CEgg::kSpoiled, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.level);
    size_t drawn = 0;
    const int32_t kind = DrawEggKind(RulesForLevel(row.level), row.goldenSeen, [&] { return row.dice.at(drawn++); });
    EXPECT_EQ(kind, row.kind);
    EXPECT_EQ(drawn, row.drawn);
  }
}

}  // namespace
