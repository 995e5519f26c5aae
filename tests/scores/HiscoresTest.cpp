#include <gtest/gtest.h>

#include <climits>

#include "support/PrintEntry.h"
#include "support/TempFolder.h"
#include "scores/Hiscores.h"
#include "scores/IniFile.h"

namespace {

std::vector<HiScoreEntry> Table(std::initializer_list<int32_t> scores) {
  std::vector<HiScoreEntry> table;
  for (int32_t score : scores) table.emplace_back("p" + std::to_string(score), score);
  return table;
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

// Every table of a new file reads back whole, each row in its own section;
// later writes change values in place.
TEST_F(HiscoresTest, NewFileHoldsWholeDefaultTablesThatWritesChangeInPlace) {
  EXPECT_EQ(ReadFile(ini).substr(0, 35), " [Quorra]\n score_9=0\n name_9=Empty\n");
  for (int kind = 0; kind < Hiscores::kKinds; ++kind) {
    EXPECT_EQ(hiscores.GetTable(kind), std::vector<HiScoreEntry>(Hiscores::kRows, HiScoreEntry("Empty", 0))) << kind;
  }
  std::string changed = ReadFile(ini);
  hiscores.SetEntry(0, 3, HiScoreEntry("ada", -12));
  changed.replace(changed.find(" score_3=0"), 10, " score_3=-12");
  changed.replace(changed.find(" name_3=Empty"), 13, " name_3=ada");
  EXPECT_EQ(ReadFile(ini), changed);
}

// A score ranks strictly below those it only equals: a tie keeps the older
// name above, and 0 points never enter a fresh table.
TEST_F(HiscoresTest, RanksAreStrictlyBelowEqualScoresAndInsertingDropsTheLowest) {
  EXPECT_EQ(hiscores.FindRank(0, 0), -1);
  EXPECT_EQ(hiscores.FindRank(0, 1), 0);
  ASSERT_TRUE(hiscores.SaveTable(0, Table({90, 80, 70, 60, 50, 40, 30, 20, 10, 0})));
  const std::pair<int32_t, int> ranks[] = {{50, 5}, {51, 4}, {91, 0}, {90, 1}, {0, -1}, {INT32_MIN, -1}};
  for (const auto& [score, rank] : ranks) EXPECT_EQ(hiscores.FindRank(0, score), rank) << score;

  EXPECT_EQ(hiscores.InsertScore(0, 5), 9);
  EXPECT_EQ(hiscores.InsertScore(0, 100), 0);
  const std::vector<HiScoreEntry> expected = {{"", 100}, {"p90", 90}, {"p80", 80}, {"p70", 70}, {"p60", 60},
                                              {"p50", 50}, {"p40", 40}, {"p30", 30}, {"p20", 20}, {"p10", 10}};
  EXPECT_EQ(hiscores.GetTable(0), expected);
  const std::string before = ReadFile(ini);
  EXPECT_EQ(hiscores.InsertScore(0, 10), -1);
  EXPECT_EQ(ReadFile(ini), before);
}

TEST_F(HiscoresTest, TableIsSortedStablyWhateverTheFileOrderAndRoundTrips) {
  WriteFile(ini,
            "[Quorra]\nname_0=a\nscore_0=5\nname_1=b\nscore_1=7\nname_2=c\nscore_2=5\n"
            "name_3=d\nscore_3=7x\nname_4=e\nscore_4=junk\n");
  std::vector<HiScoreEntry> table = hiscores.GetTable(0);
  const std::vector<HiScoreEntry> sorted = {{"b", 7}, {"d", 7}, {"a", 5}, {"c", 5}, {"e", 0}, {"", 0},
                                            {"", 0},  {"", 0},  {"", 0},  {"", 0}};  // rows 5 to 9 are missing
  EXPECT_EQ(table, sorted);

  table[0] = HiScoreEntry("=a", INT32_MAX);
  table[1] = HiScoreEntry(";b", 1);
  table[2] = HiScoreEntry("#c=d", INT32_MIN);
  ASSERT_TRUE(hiscores.SaveTable(0, table));
  for (int row = 0; row < Hiscores::kRows; ++row) EXPECT_EQ(hiscores.GetEntry(0, row), table[row]);
}

TEST(HiscoresScore, ReadsLeadingDigitsAndClampsTo32Bits) {
  const std::pair<std::string, int32_t> rows[] = {
      {"", 0},           {"abc", 0},          {"-", 0},           {"12ab3", 12},       {" \t-40", -40},
      {"+7", 7},         {"0042", 42},        {"2147483647", INT32_MAX},              {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN},             {"-99999999999999999999999999", INT32_MIN},
      {std::string(5000, '9'), INT32_MAX},
  };
  for (const auto& [text, score] : rows) EXPECT_EQ(Hiscores::ParseScore(text), score) << text.substr(0, 30);
}

TEST_F(HiscoresTest, KindsOutsideTheGameShareOneSection) {
  EXPECT_EQ(hiscores.GetEntry(7, 0), HiScoreEntry("", 0));
  ASSERT_TRUE(hiscores.SetEntry(7, 2, HiScoreEntry("zed", 3)));
  EXPECT_EQ(hiscores.GetEntry(-3, 2), HiScoreEntry("zed", 3));
  EXPECT_EQ(hiscores.GetEntry(0, 2), HiScoreEntry("Empty", 0));
}

TEST_F(HiscoresTest, MissingFileGivesEmptyRowsAndLosesWritesAndShortTablesAreRefused) {
  const Hiscores missing(folder.File("missing.ini"));
  EXPECT_FALSE(missing.WriteDefaults());
  EXPECT_EQ(missing.GetTable(0), std::vector<HiScoreEntry>(Hiscores::kRows));
  EXPECT_EQ(missing.InsertScore(0, 5), 0);
  EXPECT_FALSE(missing.SaveTable(0, Table({1, 1, 1, 1, 1, 1, 1, 1, 1, 1})));
  EXPECT_FALSE(CIniFile::FileExists(missing.FileName()));

  const std::string before = ReadFile(ini);
  EXPECT_DEBUG_DEATH(hiscores.SaveTable(0, Table({5, 4})), "");
  EXPECT_EQ(ReadFile(ini), before);
}
