#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

// Deterministic white noise for the noise voices.
class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
  double Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state & 0xFFFF) / 32767.5 - 1.0;
  }

 private:
  uint32_t state;
};

// Band-limited step correction for the square voices.
double PolyBlep(double phase, double increment) {
  if (phase < increment) {
    const double t = phase / increment;
    return t + t - t * t - 1.0;
  }
  if (phase > 1.0 - increment) {
    const double t = (phase - 1.0) / increment;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Square(double phase, double increment, double duty) {
  double value = phase < duty ? 1.0 : -1.0;
  value += PolyBlep(phase, increment);
  double shifted = phase - duty;
  if (shifted < 0) shifted += 1.0;
  value -= PolyBlep(shifted, increment);
  return value;
}

double Triangle(double phase) { return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; }

// Attack, then decay to a sustain level; the release is applied by the caller.
double Envelope(double t, double attack, double decay, double sustain) {
  if (t < attack) return t / attack;
  return sustain + (1 - sustain) * std::exp(-(t - attack) / decay);
}

double Frequency(double midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

int NoteIndex(char letter) {
  switch (letter) {
    case 'c': return 0;
    case 'd': return 2;
    case 'e': return 4;
    case 'f': return 5;
    case 'g': return 7;
    case 'a': return 9;
    default: return 11;
  }
}

}  // namespace

Mixer::Mixer(double seconds, bool circular)
    : left(static_cast<size_t>(std::lround(seconds * kSampleRate)), 0.0),
      right(left.size(), 0.0),
      wrap(circular) {}

void Mixer::Put(size_t index, double value, double pan) {
  if (index >= left.size()) {
    if (!wrap) return;
    index %= left.size();
  }
  left[index] += value * std::sqrt(0.5 * (1 - pan));
  right[index] += value * std::sqrt(0.5 * (1 + pan));
}

namespace {

// What one sounding note carries from sample to sample.
struct VoiceState {
  explicit VoiceState(uint32_t seed, double frequency) : increment(frequency / kSampleRate), noise(seed) {}
  double increment;
  double phase = 0, sweepPhase = 0, lowpass = 0, previous = 0;
  NoiseSource noise;
};

// The voice's sample `t` seconds into the note, before the release.
double VoiceSample(Voice voice, double t, VoiceState& s) {
  switch (voice) {
    case Voice::Square50:
      return Square(s.phase, s.increment, 0.5) * Envelope(t, 0.005, 0.12, 0.55);
    case Voice::Square25:
      return Square(s.phase, s.increment, 0.25) * Envelope(t, 0.005, 0.12, 0.55);
    case Voice::Square12:
      return Square(s.phase, s.increment, 0.125) * Envelope(t, 0.005, 0.12, 0.55);
    case Voice::Triangle:
      return Triangle(s.phase) * Envelope(t, 0.004, 0.25, 0.8);
    case Voice::Kick: {
      // A triangle whose pitch drops fast: the chiptune bass drum.
      const double sweep = 45 + 130 * std::exp(-t / 0.03);
      s.sweepPhase += sweep / kSampleRate;
      s.sweepPhase -= std::floor(s.sweepPhase);
      return Triangle(s.sweepPhase) * std::exp(-t / 0.09) * std::min(1.0, t / 0.002);
    }
    case Voice::Snare:
      s.lowpass += 0.5 * (s.noise.Next() - s.lowpass);
      return (0.8 * s.lowpass + 0.35 * Triangle(s.phase)) * std::exp(-t / 0.07) * std::min(1.0, t / 0.002);
    case Voice::HiHat: {
      const double white = s.noise.Next();
      const double value = (white - s.previous) * 0.5 * std::exp(-t / 0.025) * std::min(1.0, t / 0.001);
      s.previous = white;
      return value;
    }
  }
  return 0;
}

}  // namespace

void Mixer::Add(const Note& note) {
  const size_t start = static_cast<size_t>(std::lround(note.startSeconds * kSampleRate));
  VoiceState state(static_cast<uint32_t>(start * 2654435761u + static_cast<uint32_t>(note.voice)), Frequency(note.midi));
  const bool drum = note.voice == Voice::Kick || note.voice == Voice::Snare || note.voice == Voice::HiHat;
  const double release = drum ? 0.01 : 0.06;
  const size_t count = static_cast<size_t>((note.lengthSeconds + release) * kSampleRate);
  for (size_t i = 0; i < count; ++i) {
    const double t = i / kSampleRate;
    double value = VoiceSample(note.voice, t, state);
    if (t > note.lengthSeconds) value *= std::max(0.0, 1 - (t - note.lengthSeconds) / release);
    Put(start + i, value * note.volume, note.pan);
    state.phase += state.increment;
    state.phase -= std::floor(state.phase);
  }
}

void Mixer::AddEcho(const Mixer& source, double delaySeconds, double feedback, int copies) {
  const size_t n = left.size();
  double gain = feedback;
  for (int copy = 1; copy <= copies; ++copy, gain *= feedback) {
    const size_t delay = static_cast<size_t>(std::lround(copy * delaySeconds * kSampleRate));
    const bool swap = copy % 2 == 1;
    for (size_t i = 0; i < n; ++i) {
      const size_t to = i + delay;
      if (to >= n && !wrap) break;
      left[to % n] += gain * (swap ? source.right[i] : source.left[i]);
      right[to % n] += gain * (swap ? source.left[i] : source.right[i]);
    }
  }
}

PcmSound Mixer::ToPcm(double peakDb) const {
  double peak = 1e-9;
  for (size_t i = 0; i < left.size(); ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  const double scale = std::pow(10.0, peakDb / 20) / peak * 32767.0;
  PcmSound pcm;
  pcm.channels = 2;
  pcm.samples.reserve(left.size() * 2);
  for (size_t i = 0; i < left.size(); ++i) {
    pcm.samples.push_back(static_cast<int16_t>(std::lround(left[i] * scale)));
    pcm.samples.push_back(static_cast<int16_t>(std::lround(right[i] * scale)));
  }
  return pcm;
}

std::vector<Step> ParseMelody(const std::string& text) {
  std::vector<Step> steps;
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    const size_t slash = word.find('/');
    const int length = std::stoi(word.substr(slash + 1));
    if (word[0] == 'r') {
      steps.push_back({-1, length});
      continue;
    }
    int pitch = NoteIndex(word[0]);
    size_t at = 1;
    if (word[at] == '#') {
      ++pitch;
      ++at;
    }
    const int octave = word[at] - '0';
    steps.push_back({12 * (octave + 1) + pitch, length});
  }
  return steps;
}
