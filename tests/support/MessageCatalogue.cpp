#include "support/MessageCatalogue.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr uint32_t kMagic = 0x950412DEu;

uint32_t WordAt(const std::string& file, size_t at) {
  uint32_t word = 0;
  if (at + 4 <= file.size()) std::memcpy(&word, file.data() + at, 4);
  return word;
}

// A string of the table at `table`, entry `index` (length, then offset).
std::string StringAt(const std::string& file, uint32_t table, uint32_t index) {
  const uint32_t length = WordAt(file, table + 8 * index), offset = WordAt(file, table + 8 * index + 4);
  return offset + static_cast<size_t>(length) <= file.size() ? file.substr(offset, length) : std::string();
}

}  // namespace

const std::vector<std::string>& CatalogueLanguages() {
  static const std::vector<std::string> languages{"en", "pl"};
  return languages;
}

std::string BuiltCatalogueFolder() { return ZESTBOX_CATALOGUE_DIR; }

std::vector<std::pair<std::string, std::string>> ReadCatalogue(const std::string& language) {
  std::ifstream in(BuiltCatalogueFolder() + "/" + language + "/LC_MESSAGES/zestbox.mo", std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::pair<std::string, std::string>> entries;
  if (WordAt(file, 0) != kMagic) return entries;
  const uint32_t count = WordAt(file, 8), originals = WordAt(file, 12), translations = WordAt(file, 16);
  for (uint32_t i = 0; i < count; ++i) {
    std::string original = StringAt(file, originals, i);
    if (!original.empty()) entries.emplace_back(std::move(original), StringAt(file, translations, i));
  }
  return entries;
}
