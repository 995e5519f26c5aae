#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "text3d/GlyphMeshShape.h"

// Turns a glyph outline (lines, conic and cubic curves, in font units) into
// closed polylines in ems. `unitsPerEm` converts font units; curves are cut
// into straight pieces that stay within `tolerance` ems of the true curve.
// Repeated points are dropped; contours left with fewer than three points
// are left out.
std::vector<GlyphContour> FlattenOutline(const FT_Outline& outline, float unitsPerEm, float tolerance);

// Twice the signed area of the contours together: positive when the outer
// contours run anticlockwise (filled side on their left).
float SignedArea(const std::vector<GlyphContour>& contours);
