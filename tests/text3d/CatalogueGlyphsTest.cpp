#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "text3d/FontFinder.h"
#include "text3d/GlyphMeshBuilder.h"
#include "support/MessageCatalogue.h"

// The player reads every text of the catalogues in one of the game's
// typefaces: none may lose a letter.
namespace {

constexpr const char* kAliases = "./res/fonts.conf";

// The typefaces the game asks for: wheel captions, the egg game's messages
// and HUD, the high-score tables and arrows, the camera dialog.
constexpr const char* kGameFaces[] = {"Flubber", "Levity", "Comic Sans MS", "MS Sans Serif"};

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// Whether the face has a glyph for every character of `text`, by fontconfig's
// own account of the face's file (read once per face into `queried`).
bool HasAllLetters(const FontFile& face, const std::string& text, std::map<std::string, PatternPtr>& queried) {
  PatternPtr& query = queried[face.path + "#" + std::to_string(face.index)];
  int count = 0;
  if (!query) query.reset(FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(face.path.c_str()), face.index, nullptr, &count));
  FcCharSet* charset = nullptr;
  if (!query || FcPatternGetCharSet(query.get(), FC_CHARSET, 0, &charset) != FcResultMatch) return false;
  const std::u32string characters = DecodeText(text.c_str());
  return std::all_of(characters.begin(), characters.end(), [&](char32_t c) { return c < 0x20 || FcCharSetHasChar(charset, c); });
}

TEST(CatalogueGlyphsTest, EveryTextIsDrawnInAFaceThatHasAllItsLetters) {
  const CFontFinder finder(kAliases);
  ASSERT_TRUE(finder.AliasesLoaded());
  std::map<std::string, PatternPtr> queried;
  for (const std::string& language : CatalogueLanguages()) {
    const auto entries = ReadCatalogue(language);
    ASSERT_FALSE(entries.empty()) << language;
    for (const char* family : kGameFaces) {
      for (const auto& [original, translated] : entries) {
        for (const std::string& text : {original, translated}) {
          const FontFile face = finder.Find(family, text);
          ASSERT_FALSE(face.path.empty()) << family;
          EXPECT_TRUE(HasAllLetters(face, text, queried)) << language << ", " << family << " (" << face.path << ") lacks letters of " << text;
        }
      }
    }
  }
}

// The game's face names find our fonts (and some face without the alias
// file), and a face keeps the texts it has the letters of.
TEST(CatalogueGlyphsTest, AFaceKeepsTheTextsItHasTheLettersOf) {
  const CFontFinder finder(kAliases), bare("./res/missing-fonts.conf");
  const char* const names[][2] = {{"Flubber", "LeckerliOne"}, {"Levity", "TomsonTalks"}, {"Comic sans MS", "ComicNeue"}, {"Comic Sans MS", "ComicNeue"}};
  for (const auto& name : names) EXPECT_NE(finder.Find(name[0]).path.find(name[1]), std::string::npos) << name[0];
  EXPECT_FALSE(finder.Find("No Such Typeface").path.empty() || finder.Find("").path.empty() || bare.Find("Flubber").path.empty());
  EXPECT_EQ(finder.Find("Flubber").path, finder.Find("Flubber", "High scores").path);
  EXPECT_EQ(finder.Find("Levity").path, finder.Find("Levity", "Egg broken !!").path);
  EXPECT_NE(finder.Find("Levity").path, finder.Find("Levity", "Złote jajko!").path);
}

// "ł" is not in the HUD's face: it is drawn from another face and takes room
// in the layout instead of vanishing.
TEST(CatalogueGlyphsTest, ALetterTheFaceLacksIsDrawnAndMeasured) {
  CGlyphMeshBuilder builder(kAliases);
  for (const char* family : kGameFaces) EXPECT_FALSE(builder.BuildLine(family, 6, 0.2f, "ł").indices.empty()) << family;
  EXPECT_TRUE(builder.MeasureWidth("ł") > 0 && builder.MeasureWidth("Złote") > builder.MeasureWidth("Zote"));
}

}  // namespace
