#pragma once
#include <cstdint>

// The motion grid: 30 x 30 cells over the camera frame. Grid x runs with the
// frame's columns, grid y with its rows in memory (y = 0 is the bottom row of
// the picture).
constexpr int32_t kMotionGridSize = 30;
// The most rectangles one frame publishes.
constexpr int32_t kMaxMotionRects = 100;

// A region of movement: inclusive grid-cell indices 0..29.
struct MotionRect {
  int32_t minX, minY, maxX, maxY;
};

// A rectangle in the game's virtual 1024 x 768 screen, y down; right and
// bottom are exclusive.
struct ScreenRect {
  int32_t left, top, right, bottom;
};

// Maps a grid rectangle to virtual screen units, mirrored on both axes: the
// camera picture is shown mirrored, and the grid's rows run bottom-up. A
// region one cell wide (or high) maps to a rectangle of zero width (height).
ScreenRect GridRectToScreen(const MotionRect& r);

// True when a and b share some area. Rectangles that only touch do not
// overlap, and a rectangle of zero (or negative) width or height overlaps
// nothing.
bool RectsOverlap(const ScreenRect& a, const ScreenRect& b);
