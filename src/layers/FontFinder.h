#pragma once
#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <string>

// Where a typeface lives: the font file and the face's index inside it.
struct FontFile {
  std::string path;
  int32_t index = 0;
};

// Finds typefaces by the names the game asks for ("Levity", "Flubber",
// "Comic Sans MS"...) through fontconfig, with the game's own aliases from
// res/fonts.conf on top of the system configuration. Main thread only.
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
  bool AliasesLoaded() const { return aliasesLoaded_; }

 private:
  FcConfig* config_ = nullptr;
  bool aliasesLoaded_ = false;
};
