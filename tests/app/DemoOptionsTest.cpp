#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

CommandLine Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "zestbox");
  return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(DemoOptionsTest, TheDemosOptionsReachTheirFields) {
  const CommandLine options =
      Parse({"--demo", "--demo-plan", "scores,quit,name=zed", "--demo-out", "shots", "--fixed-step", "20", "--seed", "42"});
  ASSERT_EQ("", options.error);
  EXPECT_TRUE(options.demo);
  EXPECT_EQ((std::vector<int32_t>{5, 7}), options.demoPlan.titleChoices);
  EXPECT_EQ("zed", options.demoPlan.name);
  EXPECT_EQ("shots", options.demoOut);
  EXPECT_EQ(20u, options.fixedStepMs);
  EXPECT_TRUE(options.seeded);
  EXPECT_EQ(42u, options.seed);
  EXPECT_FALSE(Parse({"--demo"}).seeded) << "without --seed the game seeds itself from the time";
  EXPECT_EQ(0u, Parse({"--demo"}).fixedStepMs) << "real time";
}

TEST(DemoOptionsTest, BadValuesAreRefusedWithAReason) {
  for (const auto& arguments : std::vector<std::vector<const char*>>{{"--fixed-step", "0"},
                                                                      {"--fixed-step", "fast"},
                                                                      {"--seed", "-3"},
                                                                      {"--demo-plan", "game,jump"},
                                                                      {"--demo-out"}}) {
    const CommandLine options = Parse(arguments);
    EXPECT_NE("", options.error) << arguments[0];
  }
}

}  // namespace
