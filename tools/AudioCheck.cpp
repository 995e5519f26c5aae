#include "AudioCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "WavFile.h"

namespace {

double Db(double linear) { return 20 * std::log10(std::max(linear, 1e-9)); }

}  // namespace

bool PrintAudioMeasures(const std::string& path, bool loop) {
  PcmSound sound;
  if (!ReadWav(path, sound) || sound.samples.empty()) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  const size_t channels = sound.channels, frames = sound.samples.size() / channels;
  double peak = 0, sum = 0;
  for (const int16_t s : sound.samples) {
    peak = std::max(peak, std::fabs(s / 32768.0));
    sum += (s / 32768.0) * (s / 32768.0);
  }
  std::printf("%s: %.3f s, %u Hz, %zu channel(s), peak %.2f dBFS, RMS %.2f dBFS\n", path.c_str(),
              frames / static_cast<double>(sound.sampleRate), sound.sampleRate, channels, Db(peak),
              Db(std::sqrt(sum / sound.samples.size())));
  // The quietest whole second, to show that a tune has no silent stretch.
  const size_t window = sound.sampleRate * channels;
  if (sound.samples.size() >= 2 * window) {
    double quietest = 1e9;
    for (size_t start = 0; start + window <= sound.samples.size(); start += window) {
      double part = 0;
      for (size_t i = start; i < start + window; ++i) part += (sound.samples[i] / 32768.0) * (sound.samples[i] / 32768.0);
      quietest = std::min(quietest, part / window);
    }
    std::printf("  quietest second: RMS %.2f dBFS\n", Db(std::sqrt(quietest)));
  }
  if (loop) {
    std::vector<int> steps;
    steps.reserve(sound.samples.size());
    int seam = 0;
    for (size_t c = 0; c < channels; ++c) {
      for (size_t i = 1; i < frames; ++i) {
        steps.push_back(std::abs(sound.samples[i * channels + c] - sound.samples[(i - 1) * channels + c]));
      }
      seam = std::max(seam, std::abs(sound.samples[c] - sound.samples[(frames - 1) * channels + c]));
    }
    std::sort(steps.begin(), steps.end());
    std::printf("  loop seam step %d (of 32768); inside the file: median %d, 99th percentile %d, largest %d\n", seam,
                steps[steps.size() / 2], steps[steps.size() * 99 / 100], steps.back());
  }
  return true;
}
