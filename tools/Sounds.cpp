#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <vector>

#include <sys/stat.h>

#include "Synth.h"
#include "WavFile.h"

namespace {

// Loudest sample of every file, below the -1 dBFS ceiling with room for the
// MP3 encoder's overshoot.
constexpr double kPeakDb = -3.0;

struct Chord {
  int root;  // MIDI note of the bass root
  bool minor;
};

struct Tune {
  double bpm;
  int stepsPerBar;  // melody steps per 4/4 bar
  std::vector<Chord> chords;  // one per bar
  std::string melody;
  bool driving;  // eighth-note bass and busier drums
};

// Menu: relaxed, C major, 12 bars.
Tune MenuTune() {
  return {100, 8,
          {{48, false}, {45, true}, {41, false}, {43, false}, {48, false}, {45, true}, {50, true}, {43, false},
           {41, false}, {43, false}, {45, true}, {43, false}},
          "e5/2 g5/2 c6/2 g5/2  a5/3 g5/1 e5/2 c5/2  f5/2 a5/2 c6/2 a5/1 g5/1  g5/4 d5/2 r/2 "
          "e5/1 f5/1 g5/2 e5/2 c5/2  a4/2 c5/2 e5/3 d5/1  d5/2 f5/2 a5/2 f5/2  g5/3 a5/1 b5/2 d6/2 "
          "c6/3 a5/1 f5/2 a5/2  b5/3 g5/1 d5/2 g5/2  a5/2 e5/2 c6/3 b5/1  a5/2 g5/2 d5/2 b4/2",
          false};
}

// Game: brisk, A minor, 24 bars.
Tune GameTune() {
  const std::string a =
      "a4/2 c5/2 e5/2 a5/4 g5/2 e5/2 c5/2  f5/4 e5/2 d5/2 c5/4 a4/4  e5/2 g5/2 c6/4 b5/2 g5/2 e5/4  "
      "d5/4 g5/4 b4/4 d5/4  a5/2 a5/2 g5/2 a5/2 c6/4 a5/4  f5/2 f5/2 e5/2 f5/2 a5/4 f5/4 ";
  return {140, 16,
          {{45, true}, {41, false}, {48, false}, {43, false}, {45, true}, {41, false}, {48, false}, {43, false},
           {45, true}, {41, false}, {48, false}, {43, false}, {45, true}, {41, false}, {48, false}, {43, false},
           {50, true}, {45, true}, {40, false}, {45, true}, {41, false}, {43, false}, {40, false}, {40, false}},
          a + "g5/2 e5/2 c5/2 e5/2 g5/2 c6/2 e6/4  d6/6 b5/2 g5/4 r/4  " + a +
              "g5/4 c6/4 e6/4 g6/4  d6/4 b5/4 g5/4 b5/4  "
              "d5/4 f5/4 a5/6 g5/2  e5/4 c5/4 a4/8  g#4/4 b4/4 e5/4 g#5/4  a5/8 e5/4 c5/4  "
              "f5/2 a5/2 c6/4 a5/4 f5/4  g5/2 b5/2 d6/4 b5/4 g5/4  e6/4 d6/4 b5/4 g#5/4  "
              "e5/2 g#5/2 b5/2 d6/2 e6/4 r/4",
          true};
}

// The lead voice, into `mix` and, for its echo, into `lead`. Returns the
// melody's length in steps.
long AddMelody(const Tune& tune, double step, Mixer& mix, Mixer& lead) {
  double t = 0;
  for (const Step& s : ParseMelody(tune.melody)) {
    if (s.midi >= 0) {
      const Note note{Voice::Square50, t, s.length * step * 0.85, static_cast<double>(s.midi), 0.20, -0.25};
      mix.Add(note);
      lead.Add(note);
    }
    t += s.length * step;
  }
  return std::lround(t / step);
}

// Arpeggio (eighths on the menu, sixteenths in the game) and bass (roots and
// fifths; eighths with octave jumps in the game) of one bar.
void AddHarmony(const Tune& tune, const Chord& chord, double barStart, double beat, Mixer& mix) {
  const double bar = 4 * beat;
  const int third = chord.minor ? 3 : 4;
  const int arpeggio[] = {0, third, 7, 12, 7, third, 0, 7};
  const int arpSteps = tune.driving ? 16 : 8;
  for (int i = 0; i < arpSteps; ++i) {
    const double length = bar / arpSteps;
    mix.Add({tune.driving ? Voice::Square25 : Voice::Square12, barStart + i * length, length * 0.6,
             static_cast<double>(chord.root + 24 + arpeggio[i % 8]), tune.driving ? 0.07 : 0.08, 0.45});
  }
  if (tune.driving) {
    for (int i = 0; i < 8; ++i) {
      mix.Add({Voice::Triangle, barStart + i * beat / 2, beat / 2 * 0.8,
               static_cast<double>(chord.root + ((i % 2) ? 12 : 0)), 0.45, 0});
    }
    return;
  }
  const int line[] = {0, 7, 12, 7};
  for (int i = 0; i < 4; ++i) {
    mix.Add({Voice::Triangle, barStart + i * beat, beat * 0.85, static_cast<double>(chord.root + line[i]), 0.45, 0});
  }
}

// Hi-hat on the eighths, kick on 1 and 3 (and the "and" of 3 in the game),
// snare on 2 and 4.
void AddDrums(const Tune& tune, double barStart, double beat, Mixer& mix) {
  for (int i = 0; i < 8; ++i) {
    const double at = barStart + i * beat / 2;
    mix.Add({Voice::HiHat, at, 0.03, 60, (i % 2) ? 0.10 : 0.16, 0.2});
    if (i == 0 || i == 4 || (tune.driving && i == 5)) mix.Add({Voice::Kick, at, 0.18, 40, 0.7, 0});
    if (i == 2 || i == 6) mix.Add({Voice::Snare, at, 0.12, 62, tune.driving ? 0.35 : 0.22, -0.1});
  }
}

// False when the melody does not fill the tune's bars exactly (a loop must
// be a whole number of bars).
bool Render(const Tune& tune, PcmSound& pcm) {
  const double beat = 60.0 / tune.bpm, bar = 4 * beat;
  const int bars = static_cast<int>(tune.chords.size());
  Mixer mix(bars * bar, true);
  Mixer lead(bars * bar, true);
  const long steps = AddMelody(tune, bar / tune.stepsPerBar, mix, lead);
  if (steps != bars * tune.stepsPerBar) {
    std::fprintf(stderr, "melody of %ld steps for %d bars\n", steps, bars);
    return false;
  }
  mix.AddEcho(lead, tune.driving ? 3 * beat / 4 : beat / 2, 0.35, 3);
  for (int b = 0; b < bars; ++b) {
    AddHarmony(tune, tune.chords[b], b * bar, beat, mix);
    AddDrums(tune, b * bar, beat, mix);
  }
  pcm = mix.ToPcm(kPeakDb);
  return true;
}

}  // namespace

bool MakeCrunch(const std::string& resDir) {
  // Noise through a band-pass whose centre falls, with a few sharp clicks:
  // the shell cracking, then the squelch.
  const size_t count = static_cast<size_t>(std::lround(0.3 * kSampleRate));
  std::vector<double> out(count, 0.0);
  uint32_t noise = 0x1234567u;
  auto next = [&noise] {
    noise ^= noise << 13;
    noise ^= noise >> 17;
    noise ^= noise << 5;
    return (noise & 0xFFFF) / 32767.5 - 1.0;
  };
  double low = 0, band = 0;
  for (size_t i = 0; i < count; ++i) {
    const double t = i / kSampleRate;
    const double centre = 400 + 2600 * std::exp(-t / 0.06);
    const double f = 2 * std::sin(M_PI * centre / kSampleRate);
    const double q = 0.35;
    const double high = next() - low - q * band;
    band += f * high;
    low += f * band;
    const double envelope = std::min(1.0, t / 0.003) * std::exp(-t / 0.07) * (t > 0.27 ? (0.3 - t) / 0.03 : 1.0);
    out[i] = band * envelope;
  }
  const double clicks[] = {0.004, 0.019, 0.041, 0.066, 0.098, 0.131};
  for (size_t c = 0; c < std::size(clicks); ++c) {
    const size_t at = static_cast<size_t>(clicks[c] * kSampleRate);
    const double gain = 0.9 * std::exp(-clicks[c] / 0.08) * ((c % 2) ? -1 : 1);
    for (size_t i = 0; i < 40 && at + i < count; ++i) {
      const double k = static_cast<double>(i);
      out[at + i] += gain * std::exp(-k / 8.0) * std::cos(k * 0.9);
    }
  }
  double peak = 1e-9;
  for (const double v : out) peak = std::max(peak, std::fabs(v));
  PcmSound sound;
  sound.channels = 1;
  const double scale = std::pow(10.0, kPeakDb / 20) / peak * 32767.0;
  for (const double v : out) sound.samples.push_back(static_cast<int16_t>(std::lround(v * scale)));
  mkdir((resDir + "/sounds").c_str(), 0755);
  return WriteWav(sound, resDir + "/sounds/crump2.wav");
}

bool MakeMusic(const std::string& workDir) {
  PcmSound menu, game;
  return Render(MenuTune(), menu) && WriteWav(menu, workDir + "/nienawisc2_loop.wav") && Render(GameTune(), game) &&
         WriteWav(game, workDir + "/yazda.wav");
}
