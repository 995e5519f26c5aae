#pragma once
#include <string>
#include <utility>
#include <vector>

// The languages the game ships a message catalogue for.
inline std::vector<std::string> CatalogueLanguages() { return {"en", "pl"}; }

// The folder the build compiles the catalogues into (LANGUAGE/LC_MESSAGES/zestbox.mo).
std::string BuiltCatalogueFolder();

// The entries of the built catalogue of `language`: original text and
// translation, the catalogue's header left out. Empty when there is none.
std::vector<std::pair<std::string, std::string>> ReadCatalogue(const std::string& language);
