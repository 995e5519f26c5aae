#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/VideoMode.h"

typedef struct _GstCaps GstCaps;

// The uncompressed formats a mode's bits per pixel asks for when the source
// converts by itself (RGB565 for 16 bits, never RGB555).
enum class VideoSubtype { RGB1, RGB4, RGB8, RGB565, RGB24, RGB32 };

VideoSubtype SubtypeForBits(int32_t bitsPerPixel);
// The GStreamer format name of the subtype, null for the ones GStreamer lacks.
const char* GstFormatFor(VideoSubtype subtype);

// Frames a second from which a camera's picture is smooth enough to play by.
constexpr double kSmoothFrameRate = 25;

// How a camera that lists its own formats (raw ones the converter takes, and
// MJPEG) is run at one picture size: the format reaching the highest rate up
// to 30 frames a second, raw when it reaches 25 or more (no decoding), else
// MJPEG when that is faster. A size given as a range stands for the usual
// 160 x 120, 320 x 240 and 640 x 480 it contains.

// Each picture size of `caps` the game can use, once, from small to large,
// as a 32-bit mode with the rate of its format (0 when the listing gives none).
std::vector<CVideoMode> ModesFromCaps(const GstCaps* caps);

// The caps to request from a source that offers `offered` for one picture
// size (new reference, null when the source cannot deliver that size): the
// format chosen as above, with its frame rate; a source that converts by
// itself (formats offered as a list) is asked for the subtype of `bitsPerPixel`.
GstCaps* SourceCapsForMode(const GstCaps* offered, int32_t width, int32_t height, int32_t bitsPerPixel);

// The media types `caps` lists, each once ("video/x-h264, image/jpeg"), to
// say what a camera offers.
std::string MediaTypesOf(const GstCaps* caps);

// What a source that converts and scales by itself offers for `modes`: the
// usual uncompressed formats at each listed size (new reference).
GstCaps* ConvertingSourceCaps(const std::vector<CVideoMode>& modes);
