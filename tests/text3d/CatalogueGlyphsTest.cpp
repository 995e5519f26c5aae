#include <gtest/gtest.h>

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

// The characters of `text` that the face has no glyph for, by fontconfig's
// own account of the face's file (read once per face into `queried`).
std::u32string Missing(const FontFile& face, const std::string& text, std::map<std::string, PatternPtr>& queried) {
  PatternPtr& query = queried[face.path + "#" + std::to_string(face.index)];
  int count = 0;
  if (!query) query.reset(FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(face.path.c_str()), face.index, nullptr, &count));
  FcCharSet* charset = nullptr;
  if (!query || FcPatternGetCharSet(query.get(), FC_CHARSET, 0, &charset) != FcResultMatch) return DecodeText(text.c_str());
  std::u32string missing;
  for (const char32_t c : DecodeText(text.c_str()))
    if (c >= 0x20 && !FcCharSetHasChar(charset, c)) missing.push_back(c);
  return missing;
}

std::string Codes(const std::u32string& characters) {
  std::string codes;
  for (const char32_t c : characters) codes += " U+" + std::to_string(static_cast<uint32_t>(c));
  return codes;
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
          EXPECT_EQ("", Codes(Missing(face, text, queried))) << language << ", " << family << " (" << face.path << "): " << text;
        }
      }
    }
  }
}

TEST(CatalogueGlyphsTest, AFaceKeepsTheTextsItHasTheLettersOf) {
  const CFontFinder finder(kAliases);
  EXPECT_EQ(finder.Find("Flubber").path, finder.Find("Flubber", "High scores").path);
  EXPECT_EQ(finder.Find("Levity").path, finder.Find("Levity", "Egg broken !!").path);
  EXPECT_NE(finder.Find("Levity").path, finder.Find("Levity", "Złote jajko!").path);
}

// "ł" is not in the HUD's face: it is drawn from another face and takes room
// in the layout instead of vanishing.
TEST(CatalogueGlyphsTest, ALetterTheFaceLacksIsDrawnAndMeasured) {
  CGlyphMeshBuilder builder(kAliases);
  for (const char* family : kGameFaces) {
    EXPECT_FALSE(builder.BuildLine(family, 6, 0.2f, "ł").indices.empty()) << family;
  }
  EXPECT_GT(builder.MeasureWidth("ł"), 0);
  EXPECT_GT(builder.MeasureWidth("Złote"), builder.MeasureWidth("Zote"));
}

}  // namespace
