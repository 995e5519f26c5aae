#include <gtest/gtest.h>

#include <climits>

#include "support/PrintEntry.h"
#include "support/TempFolder.h"
#include "scores/Hiscores.h"
#include "scores/IniFile.h"

namespace {

std::string DefaultSection(const std::string& name) {
  std::string text = " [" + name + "]\n";
  for (int row = 9; row >= 0; --row) {
    text += " score_" + std::to_string(row) + "=0\n";
    text += " name_" + std::to_string(row) + "=Empty\n";
  }
  return text;
}

std::vector<HiScoreEntry> Table(std::initializer_list<int32_t> scores) {
  std::vector<HiScoreEntry> table;
  for (int32_t score : scores) table.emplace_back("p" + std::to_string(score), score);
  return table;
}

std::vector<int32_t> Scores(const std::vector<HiScoreEntry>& table) {
  std::vector<int32_t> scores;
  for (const HiScoreEntry& entry : table) scores.push_back(entry.score);
  return scores;
}

class HiscoresTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(CIniFile::CreateEmpty(ini));
    ASSERT_TRUE(hiscores.WriteDefaults());
  }

  TempFolder folder;
  const std::string ini = folder.File("cam.ini");
  const Hiscores hiscores{ini};
};

}  // namespace

TEST_F(HiscoresTest, NewFileHoldsFiveDefaultTablesInKeyOrder) {
  const std::string expected = DefaultSection("Quorra") + DefaultSection("Tibble") +
                               DefaultSection("Farrow") + DefaultSection("Lummox") +
                               DefaultSection("Pendry");
  EXPECT_EQ(ReadFile(ini), expected);
  EXPECT_EQ(expected.substr(0, 35), " [Quorra]\n score_9=0\n name_9=Empty\n");

  // Later writes change values in place.
  hiscores.SetEntry(0, 3, HiScoreEntry("ada", -12));
  std::string changed = expected;
  changed.replace(changed.find(" score_3=0"), 10, " score_3=-12");
  changed.replace(changed.find(" name_3=Empty"), 13, " name_3=ada");
  EXPECT_EQ(ReadFile(ini), changed);
}

TEST_F(HiscoresTest, DefaultsNeedAnExistingFile) {
  const Hiscores elsewhere(folder.File("other.ini"));
  EXPECT_FALSE(elsewhere.WriteDefaults());
  EXPECT_FALSE(CIniFile::FileExists(elsewhere.FileName()));
}

TEST_F(HiscoresTest, RanksAreStrictlyBelowEqualScores) {
  EXPECT_EQ(hiscores.FindRank(0, 0), -1);
  EXPECT_EQ(hiscores.FindRank(0, 1), 0);
  ASSERT_TRUE(hiscores.SaveTable(0, Table({90, 80, 70, 60, 50, 40, 30, 20, 10, 0})));
  EXPECT_EQ(hiscores.FindRank(0, 50), 5);
  EXPECT_EQ(hiscores.FindRank(0, 51), 4);
  EXPECT_EQ(hiscores.FindRank(0, 91), 0);
  EXPECT_EQ(hiscores.FindRank(0, INT32_MIN), -1);
}

TEST_F(HiscoresTest, InsertingPushesRowsDownAndDropsTheLowest) {
  ASSERT_TRUE(hiscores.SaveTable(0, Table({90, 80, 70, 60, 50, 40, 30, 20, 10, 0})));
  EXPECT_EQ(hiscores.InsertScore(0, 5), 9);
  EXPECT_EQ(hiscores.GetEntry(0, 9), HiScoreEntry("", 5));
  EXPECT_EQ(hiscores.InsertScore(0, 100), 0);
  EXPECT_EQ(Scores(hiscores.GetTable(0)),
            (std::vector<int32_t>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10}));
  EXPECT_EQ(hiscores.GetEntry(0, 0), HiScoreEntry("", 100));
  EXPECT_EQ(hiscores.GetEntry(0, 1), HiScoreEntry("p90", 90));

  const std::string before = ReadFile(ini);
  EXPECT_EQ(hiscores.InsertScore(0, 10), -1);
  EXPECT_EQ(ReadFile(ini), before);
}

TEST_F(HiscoresTest, TableIsSortedStablyWhateverTheFileOrder) {
  WriteFile(ini,
            "[Quorra]\nname_0=a\nscore_0=5\nname_1=b\nscore_1=7\nname_2=c\nscore_2=5\n"
            "name_3=d\nscore_3=7x\nname_4=e\nscore_4=junk\n");
  const std::vector<HiScoreEntry> table = hiscores.GetTable(0);
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table[0], HiScoreEntry("b", 7));
  EXPECT_EQ(table[1], HiScoreEntry("d", 7));
  EXPECT_EQ(table[2], HiScoreEntry("a", 5));
  EXPECT_EQ(table[3], HiScoreEntry("c", 5));
  EXPECT_EQ(table[4], HiScoreEntry("e", 0));
  EXPECT_EQ(table[5], HiScoreEntry("", 0));  // rows 5 to 9 are missing
}

TEST_F(HiscoresTest, NamesAndScoresRoundTrip) {
  std::vector<HiScoreEntry> table = Table({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
  table[0] = HiScoreEntry("=a", INT32_MAX);
  table[1] = HiScoreEntry(";b", 1);
  table[2] = HiScoreEntry("#c=d", INT32_MIN);
  ASSERT_TRUE(hiscores.SaveTable(0, table));
  for (int row = 0; row < Hiscores::kRows; ++row) EXPECT_EQ(hiscores.GetEntry(0, row), table[row]);
  EXPECT_EQ(CIniFile::ReadValue("score_2", "Quorra", ini), "-2147483648");
  EXPECT_EQ(hiscores.GetEntry(1, 0), HiScoreEntry("Empty", 0));
}

TEST(HiscoresScore, ReadsLeadingDigitsAndClampsTo32Bits) {
  EXPECT_EQ(Hiscores::ParseScore(""), 0);
  EXPECT_EQ(Hiscores::ParseScore("abc"), 0);
  EXPECT_EQ(Hiscores::ParseScore("-"), 0);
  EXPECT_EQ(Hiscores::ParseScore("12ab3"), 12);
  EXPECT_EQ(Hiscores::ParseScore(" \t-40"), -40);
  EXPECT_EQ(Hiscores::ParseScore("+7"), 7);
  EXPECT_EQ(Hiscores::ParseScore("0042"), 42);
  EXPECT_EQ(Hiscores::ParseScore("2147483647"), INT32_MAX);
  EXPECT_EQ(Hiscores::ParseScore("2147483648"), INT32_MAX);
  EXPECT_EQ(Hiscores::ParseScore("-2147483648"), INT32_MIN);
  EXPECT_EQ(Hiscores::ParseScore("-99999999999999999999999999"), INT32_MIN);
  EXPECT_EQ(Hiscores::ParseScore(std::string(5000, '9')), INT32_MAX);
}

TEST_F(HiscoresTest, OtherKindsUseNoSection) {
  EXPECT_EQ(Hiscores::SectionName(4), "Pendry");
  EXPECT_EQ(Hiscores::SectionName(5), "no_section");
  EXPECT_EQ(Hiscores::SectionName(-1), "no_section");
  EXPECT_EQ(hiscores.GetEntry(7, 0), HiScoreEntry("", 0));
  ASSERT_TRUE(hiscores.SetEntry(7, 2, HiScoreEntry("zed", 3)));
  EXPECT_EQ(CIniFile::ReadValue("name_2", "no_section", ini), "zed");
  EXPECT_EQ(hiscores.GetEntry(-3, 2), HiScoreEntry("zed", 3));
}

TEST_F(HiscoresTest, UnreadableFileGivesEmptyRowsAndLosesWrites) {
  const Hiscores missing(folder.File("missing.ini"));
  for (const HiScoreEntry& entry : missing.GetTable(0)) EXPECT_EQ(entry, HiScoreEntry());
  EXPECT_EQ(missing.InsertScore(0, 5), 0);
  EXPECT_FALSE(missing.SaveTable(0, Table({1, 1, 1, 1, 1, 1, 1, 1, 1, 1})));
  EXPECT_FALSE(CIniFile::FileExists(missing.FileName()));
}

TEST_F(HiscoresTest, ShortTableIsRefused) {
  const std::string before = ReadFile(ini);
  EXPECT_DEBUG_DEATH(hiscores.SaveTable(0, Table({5, 4})), "");
  EXPECT_EQ(ReadFile(ini), before);
}

TEST(HiscoresFileName, ProcessWideNameAppliesToLaterObjects) {
  EXPECT_EQ(Hiscores().FileName(), "cam.ini");
  Hiscores::SetFileName("/somewhere/scores.ini");
  EXPECT_EQ(Hiscores().FileName(), "/somewhere/scores.ini");
  Hiscores::SetFileName("cam.ini");
}
