#pragma once
#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <memory>
#include <string>

// Where a typeface lives: the font file and the face's index inside it, and
// the characters it has.
struct FontFile {
  struct CharSetDeleter {
    void operator()(FcCharSet* charset) const { FcCharSetDestroy(charset); }
  };

  std::string path;
  int32_t index = 0;
  std::shared_ptr<FcCharSet> charset;

  // Whether the face has every character of `needed`.
  bool Covers(const FcCharSet* needed) const {
    return charset && FcCharSetIsSubset(needed, charset.get()) == FcTrue;
  }
};

// Finds typefaces by the names the game asks for ("Levity", "Flubber",
// "Comic Sans MS"...) through fontconfig, with the game's own aliases from
// res/fonts.conf on top of the system configuration. Main thread only.
// The characters of `text`: UTF-8, or one byte a character where it is not
// valid UTF-8 (so 8-bit texts come out as typed).
std::u32string DecodeText(const char* text);

class CFontFinder {
 public:
  // `aliasFile` is read relative to the working directory; when it is missing
  // the system configuration alone is used.
  explicit CFontFinder(const std::string& aliasFile);
  ~CFontFinder();
  CFontFinder(const CFontFinder&) = delete;
  CFontFinder& operator=(const CFontFinder&) = delete;

  // The face fontconfig picks for `family`: an unknown or empty name gives its
  // default face. The path is empty only when no font is installed at all.
  FontFile Find(const std::string& family) const;
  // The face for `family` that has every character of `text` (UTF-8): the
  // family's own face when it has them, else the face fontconfig ranks best
  // among those that have them (the aliases name the fallbacks the game
  // prefers), so that no letter is dropped.
  FontFile Find(const std::string& family, const std::string& text) const;
  bool AliasesLoaded() const { return aliasesLoaded_; }

 private:
  // The best face for `family`; with `needed`, coverage of those characters
  // comes first.
  FontFile Match(const std::string& family, const FcCharSet* needed) const;

  FcConfig* config_ = nullptr;
  bool aliasesLoaded_ = false;
};
