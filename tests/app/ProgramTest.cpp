#include <gtest/gtest.h>

#include <gst/gst.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "render/PictureLoader.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

// Makes a short recording with GStreamer's own encoders: `pipeline` from the
// picture to the file; then every `from` in the file's bytes becomes `to` (a
// codec id nothing decodes, say). False when it could not be made.
bool MakeRecording(const std::string& pipeline, const std::string& file, const std::string& from = "",
                   const std::string& to = "") {
  GstElement* writer = gst_parse_launch((pipeline + " ! filesink location=\"" + file + "\"").c_str(), nullptr);
  if (!writer) return false;
  gst_element_set_state(writer, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(writer);
  GstMessage* done =
      gst_bus_timed_pop_filtered(bus, 20 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  const bool written = done && GST_MESSAGE_TYPE(done) == GST_MESSAGE_EOS;
  if (done) gst_message_unref(done);
  gst_object_unref(bus);
  gst_element_set_state(writer, GST_STATE_NULL);
  gst_object_unref(writer);
  if (!written || from.empty()) return written;
  std::string bytes = ReadFile(file);
  for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
    bytes.replace(at, from.size(), to);
  WriteFile(file, bytes);
  return true;
}

// A recording played as the camera: one a camera makes (MJPEG) or a DivX
// one (MPEG-4, decoded by libav) plays behind the title, whatever sound it
// carries, and the first start writes cam.ini; one whose video no installed
// plug-in decodes ends the program at once, naming what is missing, instead
// of playing on black.
TEST(ProgramTest, RecordingsPlayOrEndTheProgramNamingTheMissingDecoder) {
  gst_init(nullptr, nullptr);
  TempFolder recordings;
  const std::string picture =
      "videotestsrc num-buffers=30 pattern=solid-color foreground-color=0xff3080c0 ! "
      "video/x-raw,width=320,height=240,framerate=15/1";
  const std::string sound = "audiotestsrc num-buffers=30 ! audioconvert ! lamemp3enc ! queue ! mux. ";
  std::vector<std::string> playable = {recordings.File("camera.avi")};
  ASSERT_TRUE(MakeRecording(sound + picture + " ! jpegenc ! queue ! avimux name=mux", playable.back()));
  // The sanitizer suites leave libav out (scripts/test); everywhere else it is installed.
  if (GstElementFactory* mpeg4 = gst_element_factory_find("avenc_mpeg4")) {
    gst_object_unref(mpeg4);
    playable.push_back(recordings.File("people walking.avi"));
    ASSERT_TRUE(MakeRecording(sound + picture + " ! avenc_mpeg4 ! queue ! avimux name=mux", playable.back()));
  }
  const std::string unknown = recordings.File("unknown codec.avi");
  ASSERT_TRUE(MakeRecording(picture + " ! jpegenc ! avimux", unknown, "MJPG", "ZBX0"));

  for (const std::string& file : playable) {
    ProgramRun run({"--windowed", "--camera", "file:" + file, "--frames", "40", "--screenshot", "shot.png"});
    const std::string output = run.ReadAll();
    EXPECT_EQ(0, run.Wait()) << file << "\n" << output;
    EXPECT_EQ(std::string::npos, output.find("stopped delivering pictures")) << file << "\n" << output;
    EXPECT_TRUE(std::filesystem::exists(run.File("cam.ini"))) << "made with the default tables";
    Picture shot;
    ASSERT_TRUE(LoadPicture(run.File("shot.png"), 0, shot)) << file << "\n" << output;
    EXPECT_EQ(1000u, shot.pictureWidth);
    EXPECT_EQ(750u, shot.pictureHeight);
    const uint32_t corner = shot.texels[700 * shot.width + 20];
    for (const auto& [shift, wanted] : {std::pair{16, 0x30}, {8, 0x80}, {0, 0xC0}}) {
      EXPECT_NEAR(wanted, int((corner >> shift) & 0xFF), 24) << file << ": the recording behind the title";
    }
  }
  ProgramRun undecodable({"--windowed", "--camera", "file:" + unknown, "--frames", "40", "--screenshot", "shot.png"});
  const std::string output = undecodable.ReadAll();
  EXPECT_EQ(1, undecodable.Wait()) << output;
  EXPECT_FALSE(std::filesystem::exists(undecodable.File("shot.png"))) << "no screen at all";
  EXPECT_NE(std::string::npos, output.find("\"file:" + unknown + "\" cannot be shown")) << output;
  EXPECT_NE(std::string::npos, output.find("video/x-avi-unknown decoder")) << output;
}

// The window closed from outside while the demo plays ends the program cleanly.
TEST(ProgramTest, ClosingTheWindowFromOutsideEndsTheProgramCleanly) {
  ProgramRun run({"--windowed", "--demo", "--frames", "1500"}, {"ZESTBOX_DEBUG=1"});
  std::string line;
  while (run.ReadLine(line) && line.find("state: title") == std::string::npos) {
  }
  run.Terminate();
  while (run.ReadLine(line)) {
  }
  EXPECT_EQ(0, run.Wait());
}

}  // namespace
