#include "TestMedia.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

}  // namespace

TestMedia::TestMedia() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zestbox-audio-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) != nullptr) {
    directory = buffer.data();
  }
  EXPECT_FALSE(directory.empty());
}

TestMedia::~TestMedia() {
  std::error_code error;
  std::filesystem::remove_all(directory, error);
}

std::string TestMedia::MakeWav(const std::string& name, int milliseconds) const {
  const uint32_t rate = 44100;
  const uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
  std::string wav = "RIFF";
  PutLittleEndian(wav, 36 + samples * 2, 4);
  wav += "WAVEfmt ";
  PutLittleEndian(wav, 16, 4);
  PutLittleEndian(wav, 1, 2);  // PCM
  PutLittleEndian(wav, 1, 2);  // mono
  PutLittleEndian(wav, rate, 4);
  PutLittleEndian(wav, rate * 2, 4);
  PutLittleEndian(wav, 2, 2);
  PutLittleEndian(wav, 16, 2);
  wav += "data";
  PutLittleEndian(wav, samples * 2, 4);
  for (uint32_t i = 0; i < samples; ++i) {
    const double sample = 12000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate);
    PutLittleEndian(wav, static_cast<uint32_t>(static_cast<int16_t>(sample)), 2);
  }
  return MakeFile(name, wav);
}

std::string TestMedia::MakeMp3(const std::string& name, int milliseconds) const {
  gst_init(nullptr, nullptr);
  const std::string path = PathOf(name);
  const int buffers = milliseconds * 44100 / 1000 / 1152 + 1;
  const std::string description = "audiotestsrc num-buffers=" + std::to_string(buffers) +
                                  " samplesperbuffer=1152 ! audioconvert ! lamemp3enc ! filesink location=\"" +
                                  path + "\"";
  GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
  EXPECT_NE(pipeline, nullptr);
  if (pipeline == nullptr) {
    return path;
  }
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* done = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND,
                                                static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  EXPECT_TRUE(done != nullptr && GST_MESSAGE_TYPE(done) == GST_MESSAGE_EOS) << "MP3 encoding failed";
  if (done != nullptr) {
    gst_message_unref(done);
  }
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return path;
}

std::string TestMedia::MakeFile(const std::string& name, const std::string& bytes) const {
  const std::string path = PathOf(name);
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string TestMedia::MakeTruncated(const std::string& name, const std::string& source, size_t size) const {
  std::ifstream in(source, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bytes.resize(std::min(size, bytes.size()));
  return MakeFile(name, bytes);
}
