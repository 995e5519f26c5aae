#pragma once
#include "text3d/GlyphMeshShape.h"

// Fills `shape.faceVertices` and `shape.faceIndices` with triangles covering
// the area inside `shape.contours` by the non-zero winding rule, so holes
// (the inside of an "O") stay open whichever way the font runs its contours.
// Returns false (and leaves no triangles) when the outline cannot be filled.
bool TessellateFace(GlyphShape& shape);
