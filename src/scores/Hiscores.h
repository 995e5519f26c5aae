#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scores/HiScoreEntry.h"

// The ten best scores of each game kind, kept in the settings file: kind k
// in section SectionName(k), row r under the keys "name_r" and "score_r".
// Nothing is held in memory: every call reads or writes the file. An
// unreadable file reads as rows with name "" and score 0; writes to an
// unwritable one fail and the game carries on. Main thread only.
//
// Every operation that changes several keys (SetEntry, SaveTable,
// InsertScore, WriteDefaults) applies them all to one reading of the file
// and saves once, so a crash leaves the whole old table or the whole new one.
class Hiscores {
public:
  static constexpr int kRows = 10;
  static constexpr int kKinds = 5;

  // The settings file used by every Hiscores built without a name: "cam.ini"
  // in the working directory unless set otherwise (by tests or an installer)
  // before the game states are built.
  static void SetFileName(const std::string& fileName);
  static std::string GetFileName();

  explicit Hiscores(std::string fileName = GetFileName());
  virtual ~Hiscores() = default;

  const std::string& FileName() const { return fileName_; }

  // "Quorra", "Tibble", "Farrow", "Lummox", "Pendry" for kinds 0 to 4,
  // "no_section" for any other.
  static std::string SectionName(int kind);
  // A score's text as a decimal integer: leading white space and a sign
  // allowed, stops at the first non-digit, no digits gives 0, and values
  // beyond 32 bits are clamped to INT32_MIN / INT32_MAX.
  static int32_t ParseScore(const std::string& text);
  // A row's name as the tables show it. The file keeps an unused row's name
  // as the string table writes it, so the tables read the same in every
  // language; it is shown in the player's.
  static std::string ShownName(const std::string& name);

  // A missing key gives name "" and score 0.
  HiScoreEntry GetEntry(int kind, int row) const;
  // Writes the name, then the score (signed decimal).
  bool SetEntry(int kind, int row, const HiScoreEntry& entry) const;
  // Rows 0 to 9, highest score first; equal scores keep their row order.
  std::vector<HiScoreEntry> GetTable(int kind) const;
  // The first row of GetTable whose score is strictly less than score, or -1.
  int FindRank(int kind, int32_t score) const;
  // Puts the score with an empty name at its rank, dropping the lowest row,
  // saves, and returns the rank; -1 (file untouched) when it does not rank.
  // `table` receives the table with the score in it, saved or not, so that a
  // name can be typed into the new row even when the file is unwritable.
  int InsertScore(int kind, int32_t score, std::vector<HiScoreEntry>& table) const;
  int InsertScore(int kind, int32_t score) const;
  // Writes the first ten entries as rows 0 to 9. Fewer than ten entries is a
  // programming error: nothing is written and false is returned.
  bool SaveTable(int kind, const std::vector<HiScoreEntry>& table) const;
  // Every row of kinds 0 to 4 becomes "Empty" with score 0. Does nothing
  // when the file is missing: create it first with CIniFile::CreateEmpty.
  bool WriteDefaults() const;

private:
  std::string fileName_;
};
