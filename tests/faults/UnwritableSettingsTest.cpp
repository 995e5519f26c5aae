#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "app/StateFactory.h"
#include "render/RenderDevice.h"
#include "scores/Hiscores.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/StateFixture.h"
#include "support/TempFolder.h"

// cam.ini read-only for the player, who is an ordinary user: a high score
// entered from the title and the high-score screen shown after it leave the
// file's tables as they were, and the game plays on and says nothing. As
// root the file would be writable, so the play runs in a child process that
// has become an ordinary user: the test program started again (the safe way
// with threads about), which finds the parent's folder by its process id.
namespace {

TEST(UnwritableSettingsTest, AReadOnlyFileKeepsItsTables) {
  const bool child = !GTEST_FLAG_GET(internal_run_death_test).empty();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("zb_faults_readonly_" + std::to_string(child ? getppid() : getpid()));
  const std::string ini = (folder / "cam.ini").string();
  const std::string tables = " [Quorra]\n name_0=Ann\n score_0=9000\n";
  if (!child) {
    std::filesystem::create_directory(folder);
    WriteFile(ini, tables);
    ASSERT_EQ(0, chmod(ini.c_str(), 0444));
    ASSERT_EQ(0, chmod(folder.c_str(), 0555));
  }
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        InstallManualClock(100000);
        RecordingDevice device;
        d3dDevice = &device;
        RecordingDesktop desktop;
        Hiscores::SetFileName(ini);
        std::unique_ptr<CGameLoop> title = CreateGameState(StateRequest{StateKind::Title});
        title->Start();
        title->ShowHiscoreEntry("Nestfall", 5000, 0);
        StatePlay::Passes(*title, 50);
        title->OnKey(13);
        bool played = StatePlay::PlayAndLeave(*title, 50, 200);
        std::unique_ptr<CGameLoop> table = CreateGameState(StateRequest{StateKind::Hiscores});
        table->Start();
        played = StatePlay::PlayAndLeave(*table, 50, 200) && played;
        _exit(played && desktop.messages.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(tables, ReadFile(ini));
  chmod(folder.c_str(), 0755);
  std::filesystem::remove_all(folder);
}

}  // namespace
