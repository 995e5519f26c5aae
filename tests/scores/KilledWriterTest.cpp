#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>

#include "support/PrintEntry.h"
#include "support/TempFolder.h"
#include "scores/Hiscores.h"
#include "scores/IniFile.h"

namespace {

// Every row the writer saves is named after its score (inserted rows have
// no name yet, default rows are "Empty"), so a table mixed from two saves
// would show up.
HiScoreEntry Row(int32_t score) { return HiScoreEntry("s" + std::to_string(score), score); }

// Saves whole tables or inserts scores, at random, until killed.
[[noreturn]] void SaveForever(const std::string& ini) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  alarm(60);
  const Hiscores hiscores(ini);
  std::mt19937 random(static_cast<unsigned>(getpid()));
  for (;;) {
    std::vector<HiScoreEntry> table;
    int32_t score = static_cast<int32_t>(random() % 100000);
    for (int row = 0; row < Hiscores::kRows; ++row, score -= random() % 100) table.push_back(Row(score));
    if (random() % 2 == 0) hiscores.SaveTable(0, table);
    else hiscores.InsertScore(0, table[0].score);
  }
}

// Every table whole (each key once, nothing else), the egg game's rows sorted
// and each named after its own score.
void ExpectCompleteTables(const std::string& ini) {
  IniRecords records;
  ASSERT_TRUE(CIniFile::LoadRecords(records, ini));
  std::multiset<std::string> keys, expected;
  for (const IniRecord& record : records) keys.insert(record.section + "/" + record.key);
  for (int kind = 0; kind < Hiscores::kKinds; ++kind) {
    const std::string section = Hiscores::SectionName(kind);
    expected.insert(section + "/");
    for (int row = 0; row < Hiscores::kRows; ++row)
      for (const char* key : {"/name_", "/score_"}) expected.insert(section + key + std::to_string(row));
  }
  ASSERT_EQ(keys, expected);
  const Hiscores hiscores(ini);
  for (int row = 0; row < Hiscores::kRows; ++row) {
    const HiScoreEntry entry = hiscores.GetEntry(0, row);
    EXPECT_TRUE(row == 0 || entry.score <= hiscores.GetEntry(0, row - 1).score) << "row " << row;
    EXPECT_TRUE(entry.name.empty() || entry.name == "Empty" || entry == Row(entry.score)) << "row " << row;
  }
}

}  // namespace

TEST(KilledWriter, FileAlwaysReadsBackWholeTables) {
  TempFolder folder;
  const std::string ini = folder.File("cam.ini");
  ASSERT_TRUE(CIniFile::CreateEmpty(ini) && Hiscores(ini).WriteDefaults());

  std::mt19937 random(2026);
  std::set<std::string> contentsSeen;
  // At least 120 kills, and more on a busy machine, where a writer may die
  // before its first save, until the kills have landed between many saves.
  for (int attempt = 0; (attempt < 120 || contentsSeen.size() <= 30) && attempt < 1000 && !::testing::Test::HasFailure();
       ++attempt) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(ini);
    usleep(random() % 60000);  // a save takes some 20 ms, mostly syncing
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_TRUE(waitpid(child, &status, 0) == child && WIFSIGNALED(status));
    ExpectCompleteTables(ini);
    contentsSeen.insert(ReadFile(ini));
  }
  // The writer must really have been interrupted between many saves.
  EXPECT_GT(contentsSeen.size(), 30u);
}
