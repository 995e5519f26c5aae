#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include "support/TempFolder.h"
#include "scores/IniFile.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
  TempFolder folder;
  const std::string ini = folder.File("cam.ini");
};

// Runs `body` in a child process, which is an ordinary user ("nobody") when
// the test runs as root and `ordinary` holds; true when the body returned true.
template <typename Body>
bool InChild(Body body, bool ordinary = true) {
  const pid_t child = fork();
  if (child == 0) {
    if (ordinary && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// Each file is written back in one layout whatever its line ends; without
// writes it is loaded and saved. Keys go right after their section's first
// line, sections at the end, and a line of no pattern is written back as its
// section's line. A save keeps the file's permissions.
TEST_F(IniFileTest, FilesAreWrittenBackInOneLayoutWithNewKeysAfterTheirSection) {
  EXPECT_FALSE(CIniFile::WriteValue("k", "v", "S", ini) || CIniFile::FileExists(ini));
  ASSERT_TRUE(CIniFile::CreateEmpty(ini));
  EXPECT_EQ(ReadFile(ini), "");
  chmod(ini.c_str(), 0640);
  const struct { const char* before; std::vector<std::array<const char*, 3>> writes; const char* after; } rows[] = {
      {"", {{"first", "1", "S"}, {"second", "2", "S"}, {"other", "x", "T"}},
       " [S]\n second=2\n first=1\n [T]\n other=x\n"},
      {"[S]\n# note\n;first=1\n", {{"first", "9", "S"}}, " [S]\n# note\n;first=9\n"},
      {"[A]\nstray\nkept=1\n=lost\n# kept above B\nstray too\n[B]\n", {{"k", "v", "A"}},
       " [A]\n k=v\n [A]\n kept=1\n [A]\n# kept above B\n [B]\n"},
      {"[S]\r\n# c\r\n;k= v \r\n", {}, " [S]\n# c\n;k= v\n"},
      // Comments, commented-out records, untrimmed keys and lines of no pattern.
      {"; top comment\n  [Quorra]  \n# about the score\n\t score_0=5\n#score_1=7\nscore_3 = 40\n"
       "x[Quorra]\n[Open\nname_0==;#x\n; lost at the end\n", {},
       "; top comment\n [Quorra]\n# about the score\n score_0=5\n#score_1=7\n score_3 = 40\n"
       " [[Quorra]\n [Open]\n name_0==;#x\n"}};
  for (const auto& row : rows) {
    if (*row.before != '\0') WriteFile(ini, row.before);
    IniRecords records;
    EXPECT_TRUE(!row.writes.empty() || (CIniFile::LoadRecords(records, ini) && CIniFile::SaveRecords(records, ini)));
    for (const auto& [key, value, section] : row.writes) EXPECT_TRUE(CIniFile::WriteValue(key, value, section, ini));
    EXPECT_EQ(ReadFile(ini), row.after) << row.before;
  }
  EXPECT_EQ(std::filesystem::status(ini).permissions(), std::filesystem::perms(0640));
  // Lookups match section and key exactly, commented out or not.
  const char* const lookups[][3] = {{"score_0", "Quorra", "5"}, {"score_1", "Quorra", "7"}, {"score_3", "Quorra", ""},
                                    {"score_3 ", "Quorra", " 40"}, {"score_0", "quorra", ""}, {"name_0", "Open", "=;#x"}};
  for (const auto& row : lookups) EXPECT_EQ(CIniFile::ReadValue(row[0], row[1], ini), row[2]) << row[0];
  EXPECT_TRUE(CIniFile::HasSection("[Quorra", ini) && CIniFile::HasRecord("name_0", "Open", ini));
  EXPECT_FALSE(CIniFile::HasRecord("name_0", "Quorra", ini));
}

// A huge file reads as if it ended at the cap (a line up to it reads whole);
// a folder or a pipe of that name reads empty, never blocks, refuses writes.
TEST_F(IniFileTest, HostileOrUnopenableFilesReadSafely) {
  WriteFile(ini, "[Quorra]\nname_0=" + std::string(8 << 20, 'x'));
  IniRecords records;
  ASSERT_TRUE(CIniFile::LoadRecords(records, ini));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].value.size(), CIniFile::kMaxFileBytes - 16);
  std::string manyLines;
  while (manyLines.size() < 4 * CIniFile::kMaxFileBytes) manyLines += "x\n";
  WriteFile(ini, manyLines);
  ASSERT_TRUE(CIniFile::LoadRecords(records, ini));
  EXPECT_EQ(records.size(), CIniFile::kMaxFileBytes / 2);

  std::filesystem::remove(ini);
  std::filesystem::create_directory(ini);
  EXPECT_FALSE(CIniFile::FileExists(ini) || CIniFile::LoadRecords(records, ini) || CIniFile::CreateEmpty(ini));
  EXPECT_TRUE(records.empty() && std::filesystem::is_directory(ini));
  const std::string pipe = folder.File("pipe.ini");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_TRUE(!CIniFile::FileExists(pipe) && CIniFile::ReadValue("k", "S", pipe).empty());  // must not block

  EXPECT_FALSE(CIniFile::CreateEmpty(folder.File("missing/cam.ini")));
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
  EXPECT_TRUE(InChild([&] { return CIniFile::WriteValue("k", "2", "S", ini); }));
  EXPECT_TRUE(InChild(
      [&] { return CIniFile::CreateEmpty(linked) && CIniFile::WriteValue("k", "3", "S", linked); }));
  // A file the player may only read stays as it was.
  const std::string readOnly = shared + "/read-only.ini";
  WriteFile(readOnly, "[S]\nk=1\n");
  chmod(readOnly.c_str(), 0444);
  EXPECT_FALSE(InChild([&] { return CIniFile::WriteValue("k", "2", "S", readOnly); }));
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

  const auto save = [&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0 && !CIniFile::SaveRecords(big, ini);
  };
  EXPECT_TRUE(InChild(save, false)) << "the failed save reported success";
  EXPECT_EQ(ReadFile(ini), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}
