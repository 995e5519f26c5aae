#pragma once
#include "text3d/GlyphMeshShape.h"

// Appends the solid of `shape` to `mesh`: its face towards the viewer at
// z = -depth (normal -z), its back at z = 0 (normal +z) and the side walls
// between them, moved right by `offsetX` ems. Sides are smooth along curves
// and sharp at corners. Every triangle runs clockwise seen from outside the
// solid. A depth of 0 or less gives the front face alone.
void AppendExtrudedGlyph(const GlyphShape& shape, float offsetX, float depth, GlyphMeshData& mesh);
