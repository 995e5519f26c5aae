#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "text3d/FontFinder.h"
#include "text3d/GlyphMeshShape.h"

// Builds the extruded meshes of text lines from TrueType/OpenType outlines,
// and measures lines with the one fixed face that text layout works with.
// Faces are found by the game's names through fontconfig; outlines are
// flattened and filled once per glyph and kept. Main thread only.
class CGlyphMeshBuilder {
 public:
  // `aliasFile`: the game's fontconfig aliases, relative to the working directory.
  explicit CGlyphMeshBuilder(const std::string& aliasFile);
  ~CGlyphMeshBuilder();
  CGlyphMeshBuilder(const CGlyphMeshBuilder&) = delete;
  CGlyphMeshBuilder& operator=(const CGlyphMeshBuilder&) = delete;

  // The process-wide builder (aliases from ./res/fonts.conf), made on first
  // use and kept for the run like the fonts of the desktop.
  static CGlyphMeshBuilder& Shared();

  // The mesh of `text` (UTF-8, or one byte a character when it is not valid
  // UTF-8) in the face found for `fontName` (an unknown name gets
  // fontconfig's default face), or, when that face lacks a letter of the
  // text, in the fallback face fontconfig finds for the whole text: one em =
  // 1.0, baseline origin at (0, 0, 0), the face towards the viewer at
  // z = -depth. `fontSize` only sets how finely curves are cut (larger
  // sizes, finer curves). Characters no face has are skipped; an empty text
  // or a missing face give an empty mesh.
  GlyphMeshData BuildLine(const std::string& fontName, int32_t fontSize, float depth, const char* text);

  // The width of `text` in pixels as the fixed layout face at the fixed
  // layout size sets it (whole-pixel advances, no kerning), whatever face
  // the text is drawn in; a text with letters that face lacks is measured in
  // its fallback face. Characters no face has count 0.
  int32_t MeasureWidth(const char* text);

 private:
  struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
  };
  struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
  };
  using GlyphKey = std::tuple<FT_Face, FT_UInt, int32_t>;

  FT_Face FaceFor(const std::string& fontName);
  // The face for `fontName` that has every letter of `text` when there is one.
  FT_Face FaceFor(const std::string& fontName, const char* text);
  FT_Face OpenFace(const FontFile& file);
  const GlyphShape* ShapeFor(FT_Face face, FT_UInt glyph, int32_t fontSize);

  CFontFinder finder_;
  std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library_;
  std::map<std::pair<std::string, int32_t>, std::unique_ptr<FT_FaceRec_, FaceDeleter>> facesByFile_;
  std::map<std::string, FT_Face> facesByName_;
  std::map<std::pair<std::string, std::string>, FT_Face> fallbacks_;  // by name and text
  std::map<GlyphKey, GlyphShape> shapes_;
};
