#include "WavFile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
  return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}

uint16_t Get16(const std::vector<uint8_t>& in, size_t at) { return static_cast<uint16_t>(in[at] | (in[at + 1] << 8)); }

}  // namespace

bool WriteWav(const PcmSound& sound, const std::string& path) {
  const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
  std::vector<uint8_t> bytes{'R', 'I', 'F', 'F'};
  Put32(bytes, 36 + dataBytes);
  bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(bytes, 16);
  Put16(bytes, 1);  // PCM
  Put16(bytes, sound.channels);
  Put32(bytes, sound.sampleRate);
  Put32(bytes, sound.sampleRate * sound.channels * 2);
  Put16(bytes, sound.channels * 2);
  Put16(bytes, 16);
  bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
  Put32(bytes, dataBytes);
  for (const int16_t sample : sound.samples) Put16(bytes, static_cast<uint16_t>(sample));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

bool ReadWav(const std::string& path, PcmSound& sound) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (in.size() < 12 || std::memcmp(in.data(), "RIFF", 4) != 0 || std::memcmp(in.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool haveFormat = false;
  for (size_t at = 12; at + 8 <= in.size();) {
    const uint32_t size = Get32(in, at + 4);
    const size_t body = at + 8;
    if (body + size > in.size()) return false;
    if (std::memcmp(in.data() + at, "fmt ", 4) == 0 && size >= 16) {
      if (Get16(in, body) != 1 || Get16(in, body + 14) != 16) return false;
      sound.channels = Get16(in, body + 2);
      sound.sampleRate = Get32(in, body + 4);
      haveFormat = sound.channels > 0;
    } else if (std::memcmp(in.data() + at, "data", 4) == 0 && haveFormat) {
      sound.samples.resize(size / 2);
      for (size_t i = 0; i < sound.samples.size(); ++i) sound.samples[i] = static_cast<int16_t>(Get16(in, body + 2 * i));
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}
