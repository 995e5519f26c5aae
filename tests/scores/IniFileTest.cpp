#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "support/TempFolder.h"
#include "scores/IniFile.h"

namespace {

// Comments, commented-out records, untrimmed keys and lines of no pattern.
const char kOddFile[] =
    "; top comment\n"
    "  [Quorra]  \n"
    "# about the score\n"
    "\t score_0=5\n"
    "#score_1=7\n"
    "score_3 = 40\n"
    "x[Quorra]\n"
    "[Open\n"
    "name_0==;#x\n"
    "; lost at the end\n";

const char kOddFileAsWritten[] =
    "; top comment\n"
    " [Quorra]\n"
    "# about the score\n"
    " score_0=5\n"
    "#score_1=7\n"
    " score_3 = 40\n"
    " [[Quorra]\n"
    " [Open]\n"
    " name_0==;#x\n";

class IniFileTest : public ::testing::Test {
protected:
  TempFolder folder;
  const std::string ini = folder.File("cam.ini");
};

// Runs `body` in a child process that is an ordinary user ("nobody") when
// the test runs as root; true when the body returned true.
template <typename Body>
bool AsOrdinaryUser(Body body) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// Line feeds with or without carriage returns read alike.
TEST_F(IniFileTest, OddLinesRoundTripToAStableLayoutAndLookupsMatchExactly) {
  std::string crlf;
  for (const char* c = kOddFile; *c != '\0'; ++c) crlf += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
  for (const std::string& text : {std::string(kOddFile), crlf}) {
    WriteFile(ini, text);
    IniRecords records;
    ASSERT_TRUE(CIniFile::LoadRecords(records, ini));
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[1], (IniRecord{"# about the score\n", ' ', "Quorra", "score_0", "5"}));
    EXPECT_EQ(records[2], (IniRecord{"", '#', "Quorra", "score_1", "7"}));
    EXPECT_EQ(records[6], (IniRecord{"", ' ', "Open", "name_0", "=;#x"}));
    ASSERT_TRUE(CIniFile::SaveRecords(records, ini));
    EXPECT_EQ(ReadFile(ini), kOddFileAsWritten);
    IniRecords reread;
    ASSERT_TRUE(CIniFile::LoadRecords(reread, ini));
    EXPECT_EQ(reread, records);
  }
  const struct {
    const char *key, *section, *value;
  } lookups[] = {{"score_0", "Quorra", "5"}, {"score_1", "Quorra", "7"},   {"score_3", "Quorra", ""},
                 {"score_3 ", "Quorra", " 40"}, {"score_0", "quorra", ""}, {"name_0", "Open", "=;#x"}};
  for (const auto& row : lookups) EXPECT_EQ(CIniFile::ReadValue(row.key, row.section, ini), row.value) << row.key;
  EXPECT_TRUE(CIniFile::HasSection("[Quorra", ini));
  EXPECT_TRUE(CIniFile::HasRecord("name_0", "Open", ini));
  EXPECT_FALSE(CIniFile::HasRecord("name_0", "Quorra", ini));
}

TEST_F(IniFileTest, LineOfNoPatternIsWrittenBackAsItsSectionLine) {
  WriteFile(ini, "[A]\nstray\nkept=1\n=lost\n# kept above B\nstray too\n[B]\n");
  CIniFile::WriteValue("k", "v", "A", ini);
  EXPECT_EQ(ReadFile(ini), " [A]\n k=v\n [A]\n kept=1\n [A]\n# kept above B\n [B]\n");
  EXPECT_EQ(CIniFile::ReadValue("kept", "A", ini), "1");
}

TEST_F(IniFileTest, WriteValueAddsSectionsAtTheEndAndKeysRightAfterTheSection) {
  EXPECT_FALSE(CIniFile::WriteValue("k", "v", "S", ini));
  EXPECT_FALSE(CIniFile::FileExists(ini));
  ASSERT_TRUE(CIniFile::CreateEmpty(ini));
  EXPECT_EQ(ReadFile(ini), "");

  ASSERT_TRUE(CIniFile::WriteValue("first", "1", "S", ini));
  EXPECT_EQ(ReadFile(ini), " [S]\n first=1\n");
  ASSERT_TRUE(CIniFile::WriteValue("second", "2", "S", ini));
  ASSERT_TRUE(CIniFile::WriteValue("other", "x", "T", ini));
  EXPECT_EQ(ReadFile(ini), " [S]\n second=2\n first=1\n [T]\n other=x\n");

  WriteFile(ini, "[S]\n# note\n;first=1\n");
  ASSERT_TRUE(CIniFile::WriteValue("first", "9", "S", ini));
  EXPECT_EQ(ReadFile(ini), " [S]\n# note\n;first=9\n");
}

TEST_F(IniFileTest, HostileContentsNeverExhaustMemory) {
  std::mt19937 random(7);
  std::string binary(200000, '\0');
  for (char& byte : binary) byte = static_cast<char>(random());
  WriteFile(ini, binary);
  IniRecords records;
  EXPECT_TRUE(CIniFile::LoadRecords(records, ini));
  EXPECT_TRUE(CIniFile::WriteValue("score_0", "1", "Quorra", ini));
  EXPECT_EQ(CIniFile::ReadValue("score_0", "Quorra", ini), "1");

  // One line of many kilobytes reads whole.
  const std::string longName(100000, 'n');
  WriteFile(ini, "[Quorra]\nname_0=" + longName + "\n");
  EXPECT_EQ(CIniFile::ReadValue("name_0", "Quorra", ini), longName);

  // Past the cap the file reads as if it ended there.
  WriteFile(ini, "[Quorra]\nname_0=" + std::string(8 << 20, 'x'));
  ASSERT_TRUE(CIniFile::LoadRecords(records, ini));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].value.size(), CIniFile::kMaxFileBytes - 16);
  std::string manyLines;
  while (manyLines.size() < 4 * CIniFile::kMaxFileBytes) manyLines += "x\n";
  WriteFile(ini, manyLines);
  ASSERT_TRUE(CIniFile::LoadRecords(records, ini));
  EXPECT_EQ(records.size(), CIniFile::kMaxFileBytes / 2);
}

TEST_F(IniFileTest, WhatCannotBeOpenedReadsEmptyAndRefusesWrites) {
  std::filesystem::create_directory(ini);
  IniRecords records{IniRecord{}};
  EXPECT_FALSE(CIniFile::FileExists(ini));
  EXPECT_FALSE(CIniFile::LoadRecords(records, ini));
  EXPECT_TRUE(records.empty());
  EXPECT_FALSE(CIniFile::CreateEmpty(ini));
  EXPECT_TRUE(std::filesystem::is_directory(ini));

  const std::string pipe = folder.File("pipe.ini");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(CIniFile::FileExists(pipe));  // must not block
  EXPECT_EQ(CIniFile::ReadValue("k", "S", pipe), "");

  EXPECT_FALSE(CIniFile::CreateEmpty(folder.File("missing/cam.ini")));
}

TEST_F(IniFileTest, SaveWritesThroughASymbolicLinkAndKeepsThePermissions) {
  const std::string real = folder.File("real.ini");
  WriteFile(real, "[S]\nk=1\n");
  chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, ini);
  ASSERT_TRUE(CIniFile::WriteValue("k", "2", "S", ini));
  EXPECT_TRUE(std::filesystem::is_symlink(ini));
  EXPECT_EQ(ReadFile(real), " [S]\n k=2\n");
  struct stat info {};
  ASSERT_EQ(stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// A cam.ini the player may write in a folder they may not (a shared install)
// is rewritten in place; a cam.ini that is a link to a file not there yet
// creates that file and stays a link.
TEST_F(IniFileTest, SavesWhereOnlyTheFileIsWritableOrTheLinkDangles) {
  WriteFile(ini, "[S]\nk=1\n");
  chmod(ini.c_str(), 0666);
  const std::string shared = folder.File("shared");
  std::filesystem::create_directory(shared);
  const std::string linked = shared + "/cam.ini";
  std::filesystem::create_symlink("scores.ini", linked);
  chmod(shared.c_str(), 0777);
  chmod(folder.Path().c_str(), 0555);
  EXPECT_TRUE(AsOrdinaryUser([&] { return CIniFile::WriteValue("k", "2", "S", ini); }));
  EXPECT_TRUE(AsOrdinaryUser(
      [&] { return CIniFile::CreateEmpty(linked) && CIniFile::WriteValue("k", "3", "S", linked); }));
  // A file the player may only read stays as it was.
  const std::string readOnly = shared + "/read-only.ini";
  WriteFile(readOnly, "[S]\nk=1\n");
  chmod(readOnly.c_str(), 0444);
  EXPECT_FALSE(AsOrdinaryUser([&] { return CIniFile::WriteValue("k", "2", "S", readOnly); }));
  chmod(folder.Path().c_str(), 0755);
  EXPECT_EQ(ReadFile(readOnly), "[S]\nk=1\n");
  EXPECT_EQ(ReadFile(ini), " [S]\n k=2\n");
  EXPECT_TRUE(std::filesystem::is_symlink(linked));
  EXPECT_EQ(ReadFile(shared + "/scores.ini"), " [S]\n k=3\n");
}

// A save that dies half way (here: the file size limit is hit) must leave
// the previous file as it was, and no temporary file behind.
TEST_F(IniFileTest, WriteFailingHalfWayLeavesThePreviousFileIntact) {
  const std::string before = " [Quorra]\n score_0=1250\n name_0=Ada\n";
  WriteFile(ini, before);
  IniRecords big;
  for (int i = 0; i < 200; ++i) big.push_back(IniRecord{"", ' ', "Quorra", "k" + std::to_string(i), "v"});

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(CIniFile::SaveRecords(big, ini) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed save reported success";
  EXPECT_EQ(ReadFile(ini), before);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) files += entry.exists();
  EXPECT_EQ(files, 1);
}

TEST(IniFileTrim, TrimsTheChosenEnds) {
  const struct {
    const char *text, *characters;
    TrimSide side;
    const char* expected;
  } rows[] = {{" \ta b\r\n", " \t\r\n", TrimSide::Both, "a b"}, {"  a  ", " ", TrimSide::Start, "a  "},
              {"  a  ", " ", TrimSide::End, "  a"},            {" \t ", " \t", TrimSide::End, ""},
              {" \t ", " \t", TrimSide::Start, ""}};
  for (const auto& row : rows) EXPECT_EQ(CIniFile::Trim(row.text, row.characters, row.side), row.expected) << row.text;
}
