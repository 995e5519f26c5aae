#include "base/Texts.h"

#include <libintl.h>

#include <clocale>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kDomain = "zestbox";

struct TextEntry {
  uint32_t id;
  const char* text;
};

constexpr TextEntry kTexts[] = {
    {1, Translatable("yes")},
    {2, Translatable("High scores")},
    {3, Translatable("Quit")},
    {4, Translatable("Back")},
    {5, Translatable("Ready ?")},
    {6, Translatable("Level")},
    {7, Translatable("Egg broken !!")},
    {8, Translatable("Game over")},
    {9, Translatable("Golden egg lost !")},
    {10, Translatable("Beware, spoiled egg !")},
    {11, Translatable("Spoiled egg !")},
    {12, Translatable("That was close !")},
    {13, Translatable("Golden egg !")},
    {14, Translatable("Play again ?")},
    {15, Translatable("no")},
    {16, Translatable("Tries")},
    {17, Translatable("Score")},
    {18, Translatable("Eggs")},
    {24, Translatable("Play")},
    // TRANSLATORS: followed by the level's number ("Level 3").
    {25, Translatable("Level ")},
    // TRANSLATORS: the name of an unused row of a high-score table.
    {27, Translatable("Empty")},
};

}  // namespace

const char* LoadUntranslatedText(uint32_t id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.id == id) {
      return entry.text;
    }
  }
  return "";
}

const char* LoadText(uint32_t id) {
  const char* text = LoadUntranslatedText(id);
  return *text != '\0' ? Translate(text) : text;
}

const char* Translate(const char* text) { return dgettext(kDomain, text); }

std::string FormatText(const char* format, std::initializer_list<std::string> values) {
  std::string text = format;
  auto value = values.begin();
  for (size_t at = text.find("%s"); at != std::string::npos && value != values.end(); ++value) {
    text.replace(at, 2, *value);
    at = text.find("%s", at + value->size());
  }
  return text;
}

void StartTranslations(const std::string& catalogueFolder) {
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  bindtextdomain(kDomain, catalogueFolder.c_str());
  // The game draws and prints UTF-8 whatever the locale's own encoding.
  bind_textdomain_codeset(kDomain, "UTF-8");
}

std::string CatalogueFolder() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path beside = executable.parent_path() / "locale";
    if (fs::is_directory(beside, error)) return beside.string();
    const fs::path installed = (executable.parent_path() / ZESTBOX_LOCALE_FROM_BINDIR).lexically_normal();
    if (fs::is_directory(installed, error)) return installed.string();
  }
  return ZESTBOX_INSTALL_LOCALEDIR;
}
