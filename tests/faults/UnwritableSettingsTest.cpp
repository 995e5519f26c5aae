#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "app/StateFactory.h"
#include "support/ScopedEnvironment.h"
#include "support/StateFixture.h"

// cam.ini read-only for the player, who is an ordinary user: a high score
// entered from the title leaves the file's tables as they were, and the game
// plays on and says nothing. As root the file would be writable, so the play
// runs in a child process that has become an ordinary user: the test program
// started again (the safe way with threads about), which is told the parent's
// folder.
namespace {

using UnwritableSettingsTest = StateFixture<CGameLoop>;

TEST_F(UnwritableSettingsTest, AReadOnlyFileKeepsItsTables) {
  const char* parentFolder = std::getenv("ZB_FAULTS_READ_ONLY_FOLDER");
  const std::string ini = (parentFolder != nullptr ? std::string(parentFolder) : folder.Path()) + "/cam.ini";
  const std::string tables = " [Quorra]\n name_0=Ann\n score_0=9000\n";
  if (parentFolder == nullptr) {
    WriteFile(ini, tables);
    ASSERT_TRUE(chmod(ini.c_str(), 0444) == 0 && chmod(folder.Path().c_str(), 0555) == 0);
  }
  const ScopedEnvironment told{"ZB_FAULTS_READ_ONLY_FOLDER", folder.Path()};
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        Hiscores::SetFileName(ini);
        state = CreateGameState(StateRequest{StateKind::Title});
        state->Start();
        state->ShowHiscoreEntry("Nestfall", 5000, 0);
        StatePlay::Passes(*state, 50);
        state->OnKey(13);
        _exit(StatePlay::PlayAndLeave(*state, 50, 200) && desktop.messages.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(tables, ReadFile(ini));
  chmod(folder.Path().c_str(), 0755);
}

}  // namespace
