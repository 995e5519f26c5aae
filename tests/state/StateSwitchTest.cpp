#include <gtest/gtest.h>

#include <string>

#include "state/StateSwitch.h"

namespace {

using Action = StateStep::Action;

void ExpectNewState(StateKind finished, int32_t result, StateKind next) {
  const StateStep step = NextStateStep(finished, result);
  EXPECT_EQ(Action::NewState, step.action) << "result " << result;
  EXPECT_TRUE(step.deleteFinished) << "result " << result;
  EXPECT_EQ(next, step.next.kind) << "result " << result;
}

void ExpectLeaving(StateKind finished, int32_t result, Action action, bool deleteFinished = true) {
  const StateStep step = NextStateStep(finished, result);
  EXPECT_EQ(action, step.action) << "result " << result;
  EXPECT_EQ(deleteFinished, step.deleteFinished) << "result " << result;
}

TEST(StateSwitchTest, TheSplashHandsOverToItsSuccessor) {
  ExpectNewState(StateKind::Splash, 8, StateKind::Title);
  ExpectNewState(StateKind::Splash, 0, StateKind::EggGame);
  ExpectNewState(StateKind::Splash, 5, StateKind::Hiscores);
  ExpectLeaving(StateKind::Splash, 7, Action::Quit);
}

TEST(StateSwitchTest, TheTitleGameChoiceShowsTheInteractiveIntroduction) {
  const StateStep step = NextStateStep(StateKind::Title, 0);
  ASSERT_EQ(Action::NewState, step.action);
  EXPECT_TRUE(step.deleteFinished);
  EXPECT_EQ(StateKind::Splash, step.next.kind);
  EXPECT_EQ(std::string("./res/egg_intro_en.png"), step.next.picture);
  EXPECT_EQ(0, step.next.nextCode);
  EXPECT_EQ(1, step.next.interactive);
}

TEST(StateSwitchTest, HighScoresByMovementOrEnterAndTheWaysOut) {
  ExpectNewState(StateKind::Title, 1, StateKind::Hiscores);
  ExpectNewState(StateKind::Title, 5, StateKind::Hiscores);
  for (const int32_t quit : {2, 6, 7}) {
    ExpectLeaving(StateKind::Title, quit, Action::OpenHomepageAndQuit);
  }
}

TEST(StateSwitchTest, AFinishedEggGameEndsTheProgramAndStaysCurrent) {
  for (const int32_t result : {0, 1, -1, 8}) {
    ExpectLeaving(StateKind::EggGame, result, Action::OpenHomepageAndQuit, false);
  }
}

TEST(StateSwitchTest, TheHighScoreScreenAlwaysReturnsToTheTitle) {
  for (const int32_t result : {0, 4, 8, -1}) {
    ExpectNewState(StateKind::Hiscores, result, StateKind::Title);
  }
}

TEST(StateSwitchTest, CodesNoStateReportsFallBackToTheTitleInsteadOfStalling) {
  ExpectNewState(StateKind::Splash, 3, StateKind::Title);
  ExpectNewState(StateKind::Title, 4, StateKind::Title);
  ExpectNewState(StateKind::Title, -1, StateKind::Title);
}

}  // namespace
