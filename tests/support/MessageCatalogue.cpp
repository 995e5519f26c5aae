#include "support/MessageCatalogue.h"

#include <cstdint>
#include <cstring>

#include "support/TempFolder.h"

std::string BuiltCatalogueFolder() { return ZESTBOX_CATALOGUE_DIR; }

std::vector<std::pair<std::string, std::string>> ReadCatalogue(const std::string& language) {
  const std::string file = ReadFile(BuiltCatalogueFolder() + "/" + language + "/LC_MESSAGES/zestbox.mo");
  const auto word = [&](size_t at) {
    uint32_t value = 0;
    if (at + 4 <= file.size()) std::memcpy(&value, file.data() + at, 4);
    return value;
  };
  // Entry `index` of the string table at `table`: its length, then its offset.
  const auto string = [&](uint32_t table, uint32_t index) {
    const uint32_t length = word(table + 8 * index), offset = word(table + 8 * index + 4);
    return offset + size_t(length) <= file.size() ? file.substr(offset, length) : std::string();
  };
  std::vector<std::pair<std::string, std::string>> entries;
  if (word(0) != 0x950412DEu) return entries;  // not a catalogue
  for (uint32_t i = 0; i < word(8); ++i) {
    std::string original = string(word(12), i);
    if (!original.empty()) entries.emplace_back(std::move(original), string(word(16), i));
  }
  return entries;
}
