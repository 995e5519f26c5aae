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

[[noreturn]] void SaveForever(const std::string& ini) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  alarm(60);
  const Hiscores hiscores(ini);
  std::mt19937 random(static_cast<unsigned>(getpid()));
  for (;;) {
    if (random() % 2 == 0) {
      std::vector<HiScoreEntry> table;
      int32_t score = static_cast<int32_t>(random() % 100000);
      for (int row = 0; row < Hiscores::kRows; ++row, score -= random() % 100) table.push_back(Row(score));
      hiscores.SaveTable(0, table);
    } else {
      hiscores.InsertScore(0, static_cast<int32_t>(random() % 100000));
    }
  }
}

// Ten rows per section, each key once, the egg game's rows sorted and whole.
void ExpectCompleteTables(const std::string& ini) {
  IniRecords records;
  ASSERT_TRUE(CIniFile::LoadRecords(records, ini));
  for (int kind = 0; kind < Hiscores::kKinds; ++kind) {
    std::multiset<std::string> keys;
    for (const IniRecord& record : records) {
      if (record.section == Hiscores::SectionName(kind) && !record.IsSection()) keys.insert(record.key);
    }
    std::multiset<std::string> expected;
    for (int row = 0; row < Hiscores::kRows; ++row) {
      expected.insert("name_" + std::to_string(row));
      expected.insert("score_" + std::to_string(row));
    }
    ASSERT_EQ(keys, expected) << Hiscores::SectionName(kind);
  }
  const Hiscores hiscores(ini);
  int32_t previous = INT32_MAX;
  for (int row = 0; row < Hiscores::kRows; ++row) {
    const HiScoreEntry entry = hiscores.GetEntry(0, row);
    EXPECT_LE(entry.score, previous) << "row " << row;
    if (!entry.name.empty() && entry.name != "Empty") {
      EXPECT_EQ(entry, Row(entry.score)) << "row " << row;
    }
    previous = entry.score;
  }
}

}  // namespace

TEST(KilledWriter, FileAlwaysReadsBackWholeTables) {
  TempFolder folder;
  const std::string ini = folder.File("cam.ini");
  ASSERT_TRUE(CIniFile::CreateEmpty(ini));
  ASSERT_TRUE(Hiscores(ini).WriteDefaults());

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
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ExpectCompleteTables(ini);
    contentsSeen.insert(ReadFile(ini));
  }
  // The writer must really have been interrupted between many saves.
  EXPECT_GT(contentsSeen.size(), 30u);
}
