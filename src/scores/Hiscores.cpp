#include "scores/Hiscores.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <cstdint>
#include <limits>
#include <utility>

#include "base/Texts.h"
#include "scores/IniFile.h"

namespace {

// Text 27 of the string table: the name of every row of a new table.
constexpr uint32_t kEmptyNameText = 27;

const char* const kSections[Hiscores::kKinds] = {"Quorra", "Tibble", "Farrow", "Lummox",
                                                 "Pendry"};

// Process-wide, set before the game states are built.
std::string processFileName = "cam.ini";

std::string NameKey(int row) { return "name_" + std::to_string(row); }
std::string ScoreKey(int row) { return "score_" + std::to_string(row); }

void SetRow(IniRecords& records, int kind, int row, const HiScoreEntry& entry) {
  const std::string section = Hiscores::SectionName(kind);
  CIniFile::SetValue(records, NameKey(row), entry.name, section);
  CIniFile::SetValue(records, ScoreKey(row), std::to_string(entry.score), section);
}

std::string ValueOf(const IniRecords& records, const std::string& key,
                    const std::string& section) {
  const IniRecord* record = CIniFile::FindRecord(records, key, section);
  return record != nullptr ? record->value : std::string();
}

HiScoreEntry RowOf(const IniRecords& records, int kind, int row) {
  const std::string section = Hiscores::SectionName(kind);
  return HiScoreEntry(ValueOf(records, NameKey(row), section),
                      Hiscores::ParseScore(ValueOf(records, ScoreKey(row), section)));
}

std::vector<HiScoreEntry> SortedTable(const IniRecords& records, int kind) {
  std::vector<HiScoreEntry> table;
  for (int row = 0; row < Hiscores::kRows; ++row) table.push_back(RowOf(records, kind, row));
  std::stable_sort(table.begin(), table.end(),
                   [](const HiScoreEntry& a, const HiScoreEntry& b) { return a.score > b.score; });
  return table;
}

int RankIn(const std::vector<HiScoreEntry>& table, int32_t score) {
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].score < score) return static_cast<int>(row);
  }
  return -1;
}

}  // namespace

void Hiscores::SetFileName(const std::string& fileName) { processFileName = fileName; }

std::string Hiscores::GetFileName() { return processFileName; }

Hiscores::Hiscores(std::string fileName) : fileName_(std::move(fileName)) {}

std::string Hiscores::SectionName(int kind) {
  if (kind < 0 || kind >= kKinds) return "no_section";
  return kSections[kind];
}

int32_t Hiscores::ParseScore(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  // Accumulate the magnitude in 64 bits and stop growing once it is past
  // every 32-bit value, so any number of digits is safe.
  const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    magnitude = std::min(magnitude * 10 + (text[at] - '0'), limit);
  }
  const int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

HiScoreEntry Hiscores::GetEntry(int kind, int row) const {
  IniRecords records;
  CIniFile::LoadRecords(records, fileName_);
  return RowOf(records, kind, row);
}

bool Hiscores::SetEntry(int kind, int row, const HiScoreEntry& entry) const {
  IniRecords records;
  if (!CIniFile::LoadRecords(records, fileName_)) return false;
  SetRow(records, kind, row, entry);
  return CIniFile::SaveRecords(records, fileName_);
}

std::vector<HiScoreEntry> Hiscores::GetTable(int kind) const {
  IniRecords records;
  CIniFile::LoadRecords(records, fileName_);
  return SortedTable(records, kind);
}

int Hiscores::FindRank(int kind, int32_t score) const { return RankIn(GetTable(kind), score); }

int Hiscores::InsertScore(int kind, int32_t score, std::vector<HiScoreEntry>& table) const {
  table = GetTable(kind);
  const int rank = RankIn(table, score);
  if (rank < 0) return -1;
  table.pop_back();
  table.insert(table.begin() + rank, HiScoreEntry("", score));
  SaveTable(kind, table);
  return rank;
}

int Hiscores::InsertScore(int kind, int32_t score) const {
  std::vector<HiScoreEntry> table;
  return InsertScore(kind, score, table);
}

bool Hiscores::SaveTable(int kind, const std::vector<HiScoreEntry>& table) const {
  assert(table.size() >= static_cast<size_t>(kRows));
  if (table.size() < static_cast<size_t>(kRows)) return false;
  IniRecords records;
  if (!CIniFile::LoadRecords(records, fileName_)) return false;
  for (int row = 0; row < kRows; ++row) SetRow(records, kind, row, table[row]);
  return CIniFile::SaveRecords(records, fileName_);
}

std::string Hiscores::ShownName(const std::string& name) {
  return name == LoadUntranslatedText(kEmptyNameText) ? LoadText(kEmptyNameText) : name;
}

bool Hiscores::WriteDefaults() const {
  IniRecords records;
  if (!CIniFile::LoadRecords(records, fileName_)) return false;
  const HiScoreEntry empty(LoadUntranslatedText(kEmptyNameText), 0);
  for (int kind = 0; kind < kKinds; ++kind) {
    for (int row = 0; row < kRows; ++row) SetRow(records, kind, row, empty);
  }
  return CIniFile::SaveRecords(records, fileName_);
}
