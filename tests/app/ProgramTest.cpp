#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "render/PictureLoader.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

// Makes a short recording with GStreamer's own encoders: `pipeline` from
// the picture to the file. False when it could not be made.
bool MakeRecording(const std::string& pipeline, const std::string& file) {
  ProgramRun writer({"-c", "exec gst-launch-1.0 -q " + pipeline + " ! filesink location='" + file + "'"}, {}, "sh");
  writer.ReadAll(60);
  return writer.Wait() == 0;
}

// A recording played as the camera: one a camera makes (MJPEG) or a DivX
// one (MPEG-4, decoded by libav) plays behind the title, whatever sound it
// carries; one whose video no installed
// plug-in decodes ends the program at once, naming what is missing, instead
// of playing on black.
TEST(ProgramTest, RecordingsPlayOrEndTheProgramNamingTheMissingDecoder) {
  TempFolder recordings;
  const std::string picture =
      "videotestsrc num-buffers=30 pattern=solid-color foreground-color=0xff3080c0 ! "
      "video/x-raw,width=320,height=240,framerate=15/1";
  const std::string sound = "audiotestsrc num-buffers=30 ! audioconvert ! lamemp3enc ! queue ! mux. ";
  std::vector<std::string> playable = {recordings.File("camera.avi")};
  ASSERT_TRUE(MakeRecording(sound + picture + " ! jpegenc ! queue ! avimux name=mux", playable.back()));
  // The sanitizer suites leave libav out (scripts/test); everywhere else it is installed.
  if (ProgramRun({"--exists", "avenc_mpeg4"}, {}, "gst-inspect-1.0").Wait() == 0) {
    playable.push_back(recordings.File("people walking.avi"));
    ASSERT_TRUE(MakeRecording(sound + picture + " ! avenc_mpeg4 ! queue ! avimux name=mux", playable.back()));
  }
  // A codec id nothing decodes in place of the camera's.
  const std::string unknown = recordings.File("unknown codec.avi");
  ASSERT_TRUE(MakeRecording(picture + " ! jpegenc ! avimux", unknown));
  std::string bytes = ReadFile(unknown);
  for (size_t at = bytes.find("MJPG"); at != std::string::npos; at = bytes.find("MJPG", at))
    bytes.replace(at, 4, "ZBX0");
  WriteFile(unknown, bytes);

  for (const std::string& file : playable) {
    ProgramRun run({"--windowed", "--camera", "file:" + file, "--frames", "40", "--screenshot", "shot.png"});
    const std::string output = run.ReadAll();
    EXPECT_EQ(0, run.Wait()) << file << "\n" << output;
    EXPECT_EQ(std::string::npos, output.find("stopped delivering pictures")) << file << "\n" << output;
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
  ASSERT_NE(std::string::npos, run.ReadAll(120, "state: title").find("state: title"));
  run.Terminate();
  run.ReadAll();
  EXPECT_EQ(0, run.Wait());
}

}  // namespace
