#include <gtest/gtest.h>

#include "state/StateSwitch.h"

namespace {

using Action = StateStep::Action;
using Kind = StateKind;

TEST(StateSwitchTest, EachFinishedStateLeadsToItsSuccessor) {
  struct Row {
    Kind finished;
    int32_t result;
    Action action;
    bool deleteFinished;
    Kind next = Kind::Title;  // for a new state
  };
  const Row rows[] = {
      {Kind::Splash, 8, Action::NewState, true, Kind::Title},    {Kind::Splash, 0, Action::NewState, true, Kind::EggGame},
      {Kind::Splash, 5, Action::NewState, true, Kind::Hiscores}, {Kind::Splash, 7, Action::Quit, true, Kind::Title},
      // The title's game leads to the interactive introduction; high scores by Enter (1) or movement (5).
      {Kind::Title, 0, Action::NewState, true, Kind::Splash},    {Kind::Title, 1, Action::NewState, true, Kind::Hiscores},
      {Kind::Title, 5, Action::NewState, true, Kind::Hiscores},  {Kind::Title, 2, Action::OpenHomepageAndQuit, true},
      {Kind::Title, 6, Action::OpenHomepageAndQuit, true},       {Kind::Title, 7, Action::OpenHomepageAndQuit, true},
      // A finished egg game ends the program and stays current.
      {Kind::EggGame, 0, Action::OpenHomepageAndQuit, false},    {Kind::Hiscores, 0, Action::NewState, true, Kind::Title},
      // Codes no state reports fall back to the title instead of stalling.
      {Kind::Splash, 3, Action::NewState, true, Kind::Title},    {Kind::Title, 4, Action::NewState, true, Kind::Title},
      {Kind::Title, -1, Action::NewState, true, Kind::Title},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "state " << int(row.finished) << ", result " << row.result);
    const StateStep step = NextStateStep(row.finished, row.result);
    EXPECT_EQ(step.action, row.action);
    EXPECT_EQ(step.deleteFinished, row.deleteFinished);
    if (row.action == Action::NewState) {
      EXPECT_EQ(step.next.kind, row.next);
    }
  }
  EXPECT_EQ(1, NextStateStep(Kind::Title, 0).next.interactive) << "the game's introduction offers \"Play\"";
}

}  // namespace
