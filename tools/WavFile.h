#pragma once
#include <cstdint>
#include <string>
#include <vector>

// 16-bit PCM sound, samples interleaved by channel.
struct PcmSound {
  uint32_t sampleRate = 44100;
  uint16_t channels = 2;
  std::vector<int16_t> samples;
};

bool WriteWav(const PcmSound& sound, const std::string& path);

// Reads a 16-bit PCM WAV file; false for anything else.
bool ReadWav(const std::string& path, PcmSound& sound);
