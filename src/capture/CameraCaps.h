#pragma once
#include <cstdint>
#include <vector>

#include "base/VideoMode.h"

typedef struct _GstCaps GstCaps;

// The uncompressed formats a mode's bits per pixel asks for when the source
// converts by itself (RGB565 for 16 bits, never RGB555).
enum class VideoSubtype { RGB1, RGB4, RGB8, RGB565, RGB24, RGB32 };

VideoSubtype SubtypeForBits(int32_t bitsPerPixel);
// The GStreamer format name of the subtype, null for the ones GStreamer lacks.
const char* GstFormatFor(VideoSubtype subtype);

// Each distinct fixed frame size of `caps`, in order, as a 32-bit mode.
std::vector<CVideoMode> ModesFromCaps(const GstCaps* caps);

// The caps to request from a source that offers `offered` for one picture
// size (new reference, null when the source cannot deliver that size):
// the source's own uncompressed format at that size when it has one, else its
// MJPEG; a source that converts by itself (formats offered as a list) is
// asked for the subtype of `bitsPerPixel`.
GstCaps* SourceCapsForMode(const GstCaps* offered, int32_t width, int32_t height, int32_t bitsPerPixel);

// What a source that converts and scales by itself offers for `modes`: the
// usual uncompressed formats at each listed size (new reference).
GstCaps* ConvertingSourceCaps(const std::vector<CVideoMode>& modes);
