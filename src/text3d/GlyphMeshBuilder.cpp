#include "text3d/GlyphMeshBuilder.h"

#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "text3d/GlyphMeshExtruder.h"
#include "text3d/GlyphMeshOutline.h"
#include "text3d/GlyphMeshTessellator.h"

namespace {

// The face and size line widths are measured with. Chosen so that the
// measured width, converted the way the text layout converts it, matches the
// drawn width of the game's own faces (see the centring tests).
constexpr const char* kLayoutFamily = "Tomson Talks";
constexpr float kLayoutPixels = 13.5f;

// Curves deviate at most this many ems divided by the font size.
constexpr float kToleranceTimesSize = 0.02f;

float ToleranceFor(int32_t fontSize) {
  const int32_t size = std::clamp(std::abs(fontSize), 4, 64);
  return kToleranceTimesSize / static_cast<float>(size);
}

GlyphShape MakeShape(FT_Face face, FT_UInt glyph, float tolerance) {
  GlyphShape shape;
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) {
    return shape;
  }
  const float unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000.0f;
  shape.advance = static_cast<float>(face->glyph->advance.x) / unitsPerEm;
  if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return shape;
  }
  shape.contours = FlattenOutline(face->glyph->outline, unitsPerEm, tolerance);
  shape.fillOnLeft = SignedArea(shape.contours) >= 0;
  if (!shape.contours.empty() && !TessellateFace(shape)) {
    shape.contours.clear();
  }
  return shape;
}

}  // namespace

CGlyphMeshBuilder::CGlyphMeshBuilder(const std::string& aliasFile) : finder_(aliasFile) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) == 0) {
    library_.reset(library);
  }
}

CGlyphMeshBuilder::~CGlyphMeshBuilder() = default;

CGlyphMeshBuilder& CGlyphMeshBuilder::Shared() {
  static CGlyphMeshBuilder builder("./res/fonts.conf");
  return builder;
}

FT_Face CGlyphMeshBuilder::OpenFace(const FontFile& file) {
  if (!library_ || file.path.empty()) {
    return nullptr;
  }
  auto& owned = facesByFile_[{file.path, file.index}];
  FT_Face face = nullptr;
  if (!owned && FT_New_Face(library_.get(), file.path.c_str(), file.index, &face) == 0) {
    owned.reset(face);
  }
  return owned.get();
}

FT_Face CGlyphMeshBuilder::FaceFor(const std::string& fontName) {
  const auto named = facesByName_.find(fontName);
  if (named != facesByName_.end()) {
    return named->second;
  }
  return facesByName_[fontName] = OpenFace(finder_.Find(fontName));
}

FT_Face CGlyphMeshBuilder::FaceFor(const std::string& fontName, const char* text) {
  FT_Face face = FaceFor(fontName);
  if (!face || !text) {
    return face;
  }
  const std::u32string characters = DecodeText(text);
  const bool hasAll = std::all_of(characters.begin(), characters.end(), [face](char32_t c) {
    return c < 0x20 || FT_Get_Char_Index(face, c) != 0;
  });
  if (hasAll) {
    return face;
  }
  const std::pair<std::string, std::string> key{fontName, text};
  const auto fallback = fallbacks_.find(key);
  if (fallback != fallbacks_.end()) {
    return fallback->second;
  }
  FT_Face other = OpenFace(finder_.Find(fontName, text));
  return fallbacks_[key] = other ? other : face;
}

const GlyphShape* CGlyphMeshBuilder::ShapeFor(FT_Face face, FT_UInt glyph, int32_t fontSize) {
  const int32_t sizeKey = std::clamp(std::abs(fontSize), 4, 64);
  const GlyphKey key{face, glyph, sizeKey};
  auto found = shapes_.find(key);
  if (found == shapes_.end()) {
    found = shapes_.emplace(key, MakeShape(face, glyph, ToleranceFor(fontSize))).first;
  }
  return &found->second;
}

GlyphMeshData CGlyphMeshBuilder::BuildLine(const std::string& fontName, int32_t fontSize, float depth,
                                           const char* text) {
  GlyphMeshData mesh;
  FT_Face face = FaceFor(fontName, text);
  if (!face) {
    return mesh;
  }
  const float unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000.0f;
  float pen = 0;
  FT_UInt previous = 0;
  for (const char32_t code : DecodeText(text)) {
    const FT_UInt glyph = FT_Get_Char_Index(face, code);
    if (glyph == 0) {
      continue;
    }
    FT_Vector kerning{0, 0};
    if (previous != 0 && FT_HAS_KERNING(face) &&
        FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNSCALED, &kerning) == 0) {
      pen += static_cast<float>(kerning.x) / unitsPerEm;
    }
    const GlyphShape* shape = ShapeFor(face, glyph, fontSize);
    AppendExtrudedGlyph(*shape, pen, depth, mesh);
    pen += shape->advance;
    previous = glyph;
  }
  return mesh;
}

int32_t CGlyphMeshBuilder::MeasureWidth(const char* text) {
  FT_Face face = FaceFor(kLayoutFamily, text);
  if (!face) {
    return 0;
  }
  const float pixelsPerUnit = kLayoutPixels / (face->units_per_EM > 0 ? face->units_per_EM : 1000.0f);
  int32_t width = 0;
  for (const char32_t code : DecodeText(text)) {
    const FT_UInt glyph = FT_Get_Char_Index(face, code);
    FT_Fixed advance = 0;
    if (glyph != 0 && FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance) == 0) {
      width += static_cast<int32_t>(std::lround(static_cast<float>(advance) * pixelsPerUnit));
    }
  }
  return width;
}
