#include "layers/FontFinder.h"

#include <climits>
#include <cstdlib>
#include <memory>

namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// fontconfig reads relative names from its own configuration folder, so the
// alias file is handed over with its absolute path.
std::string AbsolutePath(const std::string& file) {
  char resolved[PATH_MAX];
  return realpath(file.c_str(), resolved) ? std::string(resolved) : std::string();
}

}  // namespace

CFontFinder::CFontFinder(const std::string& aliasFile) : config_(FcInitLoadConfigAndFonts()) {
  const std::string path = AbsolutePath(aliasFile);
  if (config_ && !path.empty()) {
    aliasesLoaded_ = FcConfigParseAndLoad(config_, reinterpret_cast<const FcChar8*>(path.c_str()), FcFalse) == FcTrue;
  }
}

CFontFinder::~CFontFinder() {
  if (config_) {
    FcConfigDestroy(config_);
  }
}

FontFile CFontFinder::Find(const std::string& family) const {
  FontFile found;
  if (!config_) {
    return found;
  }
  PatternPtr pattern(FcPatternCreate());
  if (!family.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcConfigSubstitute(config_, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(config_, pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return found;
  }
  found.path = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) == FcResultMatch) {
    found.index = index;
  }
  return found;
}
