#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// Whether the face has a glyph for every character of `text`, by the
// character set fontconfig keeps for that face.
bool HasAllLetters(const FontFile& face, const std::string& text) {
  const std::u32string characters = DecodeText(text.c_str());
  const auto has = [&](char32_t c) { return c < 0x20 || FcCharSetHasChar(face.charset.get(), c); };
  return face.charset && std::all_of(characters.begin(), characters.end(), has);
}

TEST(CatalogueGlyphsTest, EveryTextIsDrawnInAFaceThatHasAllItsLetters) {
  const CFontFinder finder(kAliases);
  ASSERT_TRUE(finder.AliasesLoaded());
  std::vector<std::string> texts;
  for (const std::string& language : CatalogueLanguages()) {
    const auto entries = ReadCatalogue(language);
    ASSERT_FALSE(entries.empty()) << language;
    for (const auto& [original, translated] : entries) texts.insert(texts.end(), {original, translated});
  }
  for (const char* family : kGameFaces)
    for (const std::string& text : texts) {
      const FontFile face = finder.Find(family, text);
      EXPECT_TRUE(HasAllLetters(face, text)) << family << " (" << face.path << ") lacks letters of " << text;
    }
}

// The game's face names find our fonts (and some face without the alias
// file), and a face keeps the texts it has the letters of. "ł" is not in the
// HUD's face: it is drawn from another face and takes room in the layout
// instead of vanishing.
TEST(CatalogueGlyphsTest, AFaceKeepsTheTextsItHasTheLettersOfAndALetterItLacksIsDrawnAndMeasured) {
  const CFontFinder finder(kAliases), bare("./res/missing-fonts.conf");
  const char* const names[][2] = {{"Flubber", "LeckerliOne"}, {"Levity", "TomsonTalks"}, {"Comic sans MS", "ComicNeue"}, {"Comic Sans MS", "ComicNeue"}};
  for (const auto& name : names) EXPECT_NE(finder.Find(name[0]).path.find(name[1]), std::string::npos) << name[0];
  EXPECT_FALSE(finder.Find("No Such Typeface").path.empty() || finder.Find("").path.empty() || bare.Find("Flubber").path.empty());
  EXPECT_EQ(finder.Find("Flubber").path, finder.Find("Flubber", "High scores").path);
  EXPECT_EQ(finder.Find("Levity").path, finder.Find("Levity", "Egg broken !!").path);
  EXPECT_NE(finder.Find("Levity").path, finder.Find("Levity", "Złote jajko!").path);
  CGlyphMeshBuilder builder(kAliases);
  for (const char* family : kGameFaces) EXPECT_FALSE(builder.BuildLine(family, 6, 0.2f, "ł").indices.empty()) << family;
  EXPECT_TRUE(builder.MeasureWidth("ł") > 0 && builder.MeasureWidth("Złote") > builder.MeasureWidth("Zote"));
}

}  // namespace
