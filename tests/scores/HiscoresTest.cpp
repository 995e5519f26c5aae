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
  void SetUp() override { ASSERT_TRUE(CIniFile::CreateEmpty(ini) && hiscores.WriteDefaults()); }

  TempFolder folder;
  const std::string ini = folder.File("cam.ini");
  const Hiscores hiscores{ini};
};

}  // namespace

// Every table of a new file reads back whole, each row in its own section;
// later writes change values in place; kinds outside the game share a section.
// Without a file the tables read empty and nothing is written.
TEST_F(HiscoresTest, NewFileHoldsWholeDefaultTablesThatWritesChangeInPlace) {
  EXPECT_EQ(ReadFile(ini).substr(0, 35), " [Quorra]\n score_9=0\n name_9=Empty\n");
  for (int kind = 0; kind < Hiscores::kKinds; ++kind)
    EXPECT_EQ(hiscores.GetTable(kind), std::vector<HiScoreEntry>(Hiscores::kRows, HiScoreEntry("Empty", 0))) << kind;
  std::string changed = ReadFile(ini);
  hiscores.SetEntry(0, 3, HiScoreEntry("ada", -12));
  changed.replace(changed.find(" score_3=0"), 10, " score_3=-12");
  changed.replace(changed.find(" name_3=Empty"), 13, " name_3=ada");
  EXPECT_EQ(ReadFile(ini), changed);
  ASSERT_TRUE(hiscores.SetEntry(7, 2, HiScoreEntry("zed", 3)));
  EXPECT_EQ(hiscores.GetEntry(-3, 2), HiScoreEntry("zed", 3));
  EXPECT_EQ(hiscores.GetEntry(0, 2), HiScoreEntry("Empty", 0));
  const Hiscores missing(folder.File("missing.ini"));
  EXPECT_FALSE(missing.WriteDefaults() || missing.SaveTable(0, Table({1, 1, 1, 1, 1, 1, 1, 1, 1, 1})));
  EXPECT_EQ(missing.GetTable(0), std::vector<HiScoreEntry>(Hiscores::kRows));
  EXPECT_FALSE(CIniFile::FileExists(missing.FileName()));
}

// A score ranks strictly below those it only equals: a tie keeps the older
// name above, and 0 points never enter a fresh table.
TEST_F(HiscoresTest, RanksAreStrictlyBelowEqualScoresAndInsertingDropsTheLowest) {
  ASSERT_TRUE(hiscores.SaveTable(0, Table({90, 80, 70, 60, 50, 40, 30, 20, 10, 0})));
  const std::pair<int32_t, int> ranks[] = {{50, 5}, {51, 4}, {91, 0}, {90, 1}, {0, -1}, {INT32_MIN, -1}};
  for (const auto& [score, rank] : ranks) EXPECT_EQ(hiscores.FindRank(0, score), rank) << score;
  EXPECT_EQ(hiscores.InsertScore(0, 5), 9);
  EXPECT_EQ(hiscores.InsertScore(0, 100), 0);
  std::vector<HiScoreEntry> expected = Table({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
  expected[0].name = "";
  EXPECT_EQ(hiscores.GetTable(0), expected);
  const std::string before = ReadFile(ini);
  EXPECT_EQ(hiscores.InsertScore(0, 10), -1);
  EXPECT_EQ(ReadFile(ini), before);
}

// Rows 5 to 9 are missing; scores that are not numbers read as far as they are.
TEST_F(HiscoresTest, TableIsSortedStablyWhateverTheFileOrder) {
  WriteFile(ini, "[Quorra]\nname_0=a\nscore_0=5\nname_1=b\nscore_1=7\nname_2=c\nscore_2=5\n"
                 "name_3=d\nscore_3=7x\nname_4=e\nscore_4=junk\n");
  EXPECT_EQ(hiscores.GetTable(0),
            (std::vector<HiScoreEntry>{{"b", 7}, {"d", 7}, {"a", 5}, {"c", 5}, {"e", 0}, {}, {}, {}, {}, {}}));
}

TEST(HiscoresScore, ReadsLeadingDigitsAndClampsTo32Bits) {
  const std::pair<std::string, int32_t> rows[] = {
      {"", 0}, {"abc", 0}, {"-", 0}, {"12ab3", 12}, {" \t-40", -40}, {"+7", 7}, {"0042", 42},
      {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"-2147483648", INT32_MIN},
      {"-99999999999999999999999999", INT32_MIN}, {std::string(5000, '9'), INT32_MAX}};
  for (const auto& [text, score] : rows) EXPECT_EQ(Hiscores::ParseScore(text), score) << text.substr(0, 30);
}
