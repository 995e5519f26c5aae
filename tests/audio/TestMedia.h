#pragma once
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <string>

#include "support/TempFolder.h"

// Short sound files made by the tests themselves, in a folder of their own.
class TestMedia : public TempFolder {
 public:
  const std::string& Directory() const { return Path(); }
  std::string PathOf(const std::string& name) const { return File(name); }

  // A 16-bit mono tone of about `milliseconds`, as a WAV file.
  std::string MakeWav(const std::string& name, int milliseconds) const { return Encode(name, milliseconds, "wavenc"); }
  // The same as an MP3.
  std::string MakeMp3(const std::string& name, int milliseconds) const {
    return Encode(name, milliseconds, "lamemp3enc");
  }
  std::string MakeFile(const std::string& name, const std::string& bytes) const {
    WriteFile(File(name), bytes);
    return File(name);
  }
  // The first `size` bytes of the file `source` under `name`.
  std::string MakeTruncated(const std::string& name, const std::string& source, size_t size) const {
    return MakeFile(name, ReadFile(source).substr(0, size));
  }

 private:
  std::string Encode(const std::string& name, int milliseconds, const char* encoder) const {
    gst_init(nullptr, nullptr);
    const std::string description =
        "audiotestsrc num-buffers=" + std::to_string(milliseconds / 10) + " samplesperbuffer=441 ! audioconvert ! " +
        "audio/x-raw,format=S16LE,rate=44100,channels=1 ! " + encoder + " ! filesink location=\"" + File(name) + "\"";
    GstElement* pipeline = gst_parse_launch(description.c_str(), nullptr);
    EXPECT_NE(pipeline, nullptr) << description;
    if (pipeline == nullptr) return File(name);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* done = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND,
                                                  static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    EXPECT_TRUE(done != nullptr && GST_MESSAGE_TYPE(done) == GST_MESSAGE_EOS) << description;
    if (done != nullptr) gst_message_unref(done);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return File(name);
  }
};
