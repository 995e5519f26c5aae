#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DemoPlan.h"

namespace {

TEST(DemoPlanTest, WordsSetTheChoicesAndTheSettingsInAnyOrder) {
  DemoPlan plan;
  std::string error;
  ASSERT_TRUE(ParseDemoPlan("misses=25,scores,name=ace7,quit,tired=3,again=no", plan, error)) << error;
  EXPECT_EQ((std::vector<int32_t>{5, 7}), plan.titleChoices);
  EXPECT_EQ(25, plan.missPercent);
  EXPECT_EQ(3, plan.tiredFromLevel);
  EXPECT_EQ("ace7", plan.name);
  EXPECT_FALSE(plan.playAgain);

  DemoPlan defaults;
  ASSERT_TRUE(ParseDemoPlan("", defaults, error));
  EXPECT_EQ((std::vector<int32_t>{0}), defaults.titleChoices) << "the game";
  EXPECT_TRUE(defaults.playAgain);
}

TEST(DemoPlanTest, UnknownWordsAndValuesOutOfRangeAreRefusedWithTheirReason) {
  for (const char* text : {"dance", "game,,quit", "misses=101", "misses=-1", "misses=", "name=", "name=ninechars",
                           "name=Ace", "name=a b", "again=maybe", "tired=x"}) {
    DemoPlan plan;
    std::string error;
    EXPECT_FALSE(ParseDemoPlan(text, plan, error)) << text;
    EXPECT_NE(std::string::npos, error.find("demo plan")) << text;
  }
}

}  // namespace
