// Any bytes as the settings file: loading, saving and loading again gives the
// same records, and setting one high-score value changes only that value.
//
// The line format itself cannot write back two kinds of record, both only
// found in hand-edited files: any line holding a "[" reads as a section line,
// so a key or value with a "[" in it is read back differently, and a section
// name with a "=" in it reads as a key line (keeping the previous section).
// Each save strips such a line further, so for files holding one only the
// setting and reading of a value is checked.
#include <cstdio>
#include <cstdlib>

#include "FuzzFile.h"
#include "scores/IniFile.h"

namespace {

void Fail(const char* what, const IniRecords& before, const IniRecords& after) {
  std::fprintf(stderr, "%s: %zu records before, %zu after\n", what, before.size(), after.size());
  for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
    if (!(before[i] == after[i])) {
      std::fprintf(stderr, "record %zu: [%s] %s=%s becomes [%s] %s=%s\n", i, before[i].section.c_str(),
                   before[i].key.c_str(), before[i].value.c_str(), after[i].section.c_str(),
                   after[i].key.c_str(), after[i].value.c_str());
      break;
    }
  }
  std::abort();
}

// Every key record must still read as it did, apart from the one just set.
void CheckOthersKept(const IniRecords& before, const std::string& file) {
  IniRecords after;
  if (!CIniFile::LoadRecords(after, file)) std::abort();
  for (const IniRecord& record : before) {
    if (record.IsSection() || (record.section == "Quorra" && record.key == "score_3")) continue;
    const IniRecord* first = CIniFile::FindRecord(before, record.key, record.section);
    const IniRecord* now = CIniFile::FindRecord(after, record.key, record.section);
    if (now == nullptr || now->value != first->value) Fail("a value changed", before, after);
  }
}

bool Expressible(const IniRecords& records) {
  for (const IniRecord& record : records) {
    if (record.section.find('=') != std::string::npos ||
        (!record.IsSection() && (record.key + record.value).find('[') != std::string::npos)) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = WriteFuzzFile("cam.ini", data, size);
  IniRecords loaded;
  if (!CIniFile::LoadRecords(loaded, file)) std::abort();
  if (!(loaded == CIniFile::ParseRecords(std::string(reinterpret_cast<const char*>(data), size)))) {
    std::abort();
  }
  if (!CIniFile::SaveRecords(loaded, file)) std::abort();
  IniRecords reloaded;
  if (!CIniFile::LoadRecords(reloaded, file)) std::abort();
  const bool expressible = Expressible(loaded);
  if (expressible && !(reloaded == loaded)) Fail("load, save, load", loaded, reloaded);

  if (!CIniFile::WriteValue("score_3", "1250", "Quorra", file)) std::abort();
  if (CIniFile::ReadValue("score_3", "Quorra", file) != "1250") Fail("written value lost", loaded, {});
  if (expressible) CheckOthersKept(loaded, file);
  return 0;
}
