#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "WavFile.h"

// A small chiptune synthesiser: square, triangle and noise voices with simple
// envelopes, mixed into a stereo buffer. Music is rendered circularly: a note
// that rings past the end of the loop continues at its start, so the last
// sample joins the first as smoothly as any two neighbours.

constexpr double kSampleRate = 44100.0;

enum class Voice { Square50, Square25, Square12, Triangle, Kick, Snare, HiHat };

struct Note {
  Voice voice;
  double startSeconds;
  double lengthSeconds;  // how long the key is held; the release follows
  double midi;           // pitch as a MIDI note number (69 = A 440 Hz)
  double volume;         // 0..1 before the final level
  double pan;            // -1 left .. +1 right
};

class Mixer {
 public:
  // A loop of `seconds`; `circular` wraps tails to the start.
  Mixer(double seconds, bool circular);

  void Add(const Note& note);

  // Adds `copies` quieter echoes of `source`, `delaySeconds` apart, with the
  // stereo sides swapped, circularly.
  void AddEcho(const Mixer& source, double delaySeconds, double feedback, int copies);

  // Scales to the given peak (dBFS) and converts to 16-bit stereo.
  PcmSound ToPcm(double peakDb) const;

  size_t length() const { return left.size(); }

 private:
  void Put(size_t index, double value, double pan);

  std::vector<double> left, right;
  bool wrap;
};

// Parses "e5/2 g5/2 r/4" into (MIDI note or -1 for a rest, length in steps).
struct Step {
  int midi;
  int length;
};
std::vector<Step> ParseMelody(const std::string& text);
