#include "text3d/FontFinder.h"

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

// Reads one character of UTF-8; a byte that does not start a valid sequence
// stands for itself (Latin-1).
char32_t NextCharacter(const unsigned char*& p) {
  const unsigned char lead = *p;
  const int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : 0;
  if (lead >= 0x80 && extra > 0) {
    char32_t code = lead & (0x3F >> extra);
    int i = 1;
    for (; i <= extra && (p[i] & 0xC0) == 0x80; ++i) {
      code = (code << 6) | (p[i] & 0x3F);
    }
    if (i > extra) {
      p += extra + 1;
      return code;
    }
  }
  ++p;
  return lead;
}

}  // namespace

std::u32string DecodeText(const char* text) {
  std::u32string decoded;
  if (!text) {
    return decoded;
  }
  for (auto p = reinterpret_cast<const unsigned char*>(text); *p;) {
    decoded.push_back(NextCharacter(p));
  }
  return decoded;
}

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

FontFile CFontFinder::Find(const std::string& family) const { return Match(family, nullptr); }

FontFile CFontFinder::Find(const std::string& family, const std::string& text) const {
  FcCharSet* needed = FcCharSetCreate();
  for (const char32_t c : DecodeText(text.c_str())) {
    if (c >= 0x20) {
      FcCharSetAddChar(needed, c);
    }
  }
  const FontFile named = Match(family, nullptr);
  // The family's own face whenever it has every letter: a fallback only for
  // the texts that need one, so the game's own texts keep their faces.
  const FontFile found = named.Covers(needed) ? named : Match(family, needed);
  FcCharSetDestroy(needed);
  return found;
}

FontFile CFontFinder::Match(const std::string& family, const FcCharSet* needed) const {
  FontFile found;
  if (!config_) {
    return found;
  }
  PatternPtr pattern(FcPatternCreate());
  if (!family.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  // fontconfig ranks coverage of the characters above the family, so the
  // face that has them all wins; among those, the family list (the game's
  // fallbacks from fonts.conf first) decides.
  if (needed) {
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, const_cast<FcCharSet*>(needed));
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
  FcCharSet* charset = nullptr;
  if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &charset) == FcResultMatch) {
    found.charset.reset(FcCharSetCopy(charset), FontFile::CharSetDeleter());
  }
  return found;
}
