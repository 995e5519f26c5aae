#pragma once
#include <string>

// Prints a 16-bit PCM WAV file's duration, peak and RMS level (dBFS) and,
// for a loop, the sample step across the seam (last sample to first) next to
// the largest and the typical step inside the file. False when the file
// cannot be read.
bool PrintAudioMeasures(const std::string& path, bool loop);
