#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

// The game's string table. Returns the text with the given id in the
// player's language, or "" for an id the table does not hold. The returned
// text lives for the whole run.
const char* LoadText(uint32_t id);

// The string table's text as it is written in the table, whatever the
// player's language: for what is stored in files rather than shown.
const char* LoadUntranslatedText(uint32_t id);

// Every text the player reads goes through the message catalogue of the
// "zestbox" domain (gettext): Translate gives `text` in the player's
// language, or `text` itself in the C locale and wherever the catalogue has
// nothing for it. The result lives for the whole run. Main thread or not:
// gettext is thread-safe once StartTranslations has run.
const char* Translate(const char* text);

// Marks a text for the catalogue where it is kept untranslated (a table)
// and translated later, when it is shown.
constexpr const char* Translatable(const char* text) { return text; }

// `format` with each "%s" replaced by the next of `values`, in order. Pass
// it translated: translators move the "%s" to where their language puts it.
std::string FormatText(const char* format, std::initializer_list<std::string> values);

// Takes the player's language from the environment (LANG, LC_ALL,
// LC_MESSAGES, LANGUAGE) and reads the catalogues from `catalogueFolder`
// (LANGUAGE/LC_MESSAGES/zestbox.mo under it). Numbers keep the C locale's
// form, so files and reports read the same in every language. Call once at
// start, before any text is loaded and before other threads start.
void StartTranslations(const std::string& catalogueFolder);

// Where the catalogues of this program are: the folder "locale" beside the
// executable when it runs from its build folder, else the install's.
std::string CatalogueFolder();
