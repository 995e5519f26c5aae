#include "game/LevelRules.h"

#include <algorithm>

#include "game/Egg.h"

namespace {
constexpr int32_t kMaxQuota = 99;  // two digits on the HUD
}  // namespace

LevelRules RulesForLevel(int32_t level) {
  LevelRules rules{};
  rules.quota = std::min(2 * level + 6, kMaxQuota);
  // 1 - trunc(-0.4 level) in integers: 1, 1, 2, 2, 3, 3, 3, 4, 4, 5 from level 1.
  rules.maxEggs = std::min(5, 1 + (2 * level) / 5);
  rules.goldenOdds = (level + 10) * 5;
  rules.spoiledOdds = std::max(10, (10 - level) * 5);
  rules.spawnDelayBase = rules.maxEggs == 1 ? 500 : 1500;
  rules.spawnDelaySpread = std::max(500, (15 - level) * 100);
  rules.spawnDelayMs = static_cast<uint32_t>(std::max(300, (10 - level) * 100));
  rules.eggSpeed = 1.0f + 0.2f * static_cast<float>(level - 1);
  return rules;
}

int32_t DrawEggKind(const LevelRules& rules, bool goldenThisLevel, const std::function<int32_t()>& draw) {
  if (draw() % rules.goldenOdds == 1 && !goldenThisLevel) {
    return CEgg::kGolden;
  }
  if (draw() % rules.spoiledOdds == 1) {
    return CEgg::kSpoiled;
  }
  return CEgg::kOrdinary;
}
