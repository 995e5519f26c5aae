#pragma once
#include "Paint.h"

// Shapes shared by the egg, hatchery and menu pictures.

// Colours of one kind of shell.
struct ShellStyle {
  Rgb base;
  Rgb shade;
  Rgb highlight;
};

// Adds an egg outline centred on (cx, cy), rx wide and ry high (half sizes),
// narrower at the top, to the current path.
void EggPath(cairo_t* cr, double cx, double cy, double rx, double ry);

// A whole egg with its shade, highlight and outline.
void WholeEgg(cairo_t* cr, double cx, double cy, double rx, double ry, const ShellStyle& style);

// Adds a closed blob of `radius` whose edge wobbles by `wobble` with `lobes`
// bumps, starting at `phase` radians, to the current path.
void BlobPath(cairo_t* cr, double cx, double cy, double radius, double wobble, int lobes, double phase);

// A yolk: round, with its shade and a highlight.
void Yolk(cairo_t* cr, double cx, double cy, double radius, Rgb color, Rgb shade);

// A hen sitting, facing right, in a 300 x 300 frame (body centred on
// (150, 150), bottom of the body at y 208), outlines `outline` wide.
void Hen(cairo_t* cr, double outline);
