#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "capture/CameraAccess.h"
#include "capture/CameraProbe.h"

namespace fs = std::filesystem;

namespace {

// Root may open anything, so a root test run drops to "nobody" in the death
// test's child before it looks.
void AsOrdinaryUser() {
  if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::exit(3);
}

TEST(CameraAccess, FindsOnlyTheVideoNodesThisUserMayNotOpen) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // GStreamer's threads may be running
  const fs::path dev = fs::temp_directory_path() / ("zestbox-dev-" + std::to_string(getpid()));
  fs::remove_all(dev);
  fs::create_directories(dev);
  fs::permissions(dev, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  for (const char* name : {"video2", "video0", "video1", "audio0"}) std::ofstream(dev / name) << "";
  fs::permissions(dev / "video0", fs::perms::none);
  fs::permissions(dev / "video2", fs::perms::none);
  fs::permissions(dev / "video1", fs::perms::all);
  fs::permissions(dev / "audio0", fs::perms::none);
  const std::vector<std::string> expected = {(dev / "video0").string(), (dev / "video2").string()};
  EXPECT_EXIT(
      {
        AsOrdinaryUser();
        std::exit(CamerasWithoutPermission(dev.string()) == expected ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(CamerasWithoutPermission((dev / "absent").string()).empty());
  fs::remove_all(dev);
}

TEST(CameraAccess, PermissionTextNamesTheCameraAndTheVideoGroup) {
  const std::string text = NoPermissionText("/dev/video0");
  EXPECT_NE(text.find("/dev/video0"), std::string::npos);
  EXPECT_NE(text.find("\"video\" group"), std::string::npos);
  EXPECT_NE(text.find("usermod -aG video"), std::string::npos);
}

// A source that fails to open its device the way v4l2src does: a resource
// error whose details carry the system's text for `code`.
void PostOpenFailure(GstAppSrc* source, guint, gpointer code) {
  GError* error = g_error_new(GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ_WRITE,
                              "Could not open device '/dev/video0' for reading and writing.");
  const std::string details = std::string("system error: ") + g_strerror(GPOINTER_TO_INT(code));
  gst_element_post_message(GST_ELEMENT(source),
                           gst_message_new_error(GST_OBJECT(source), error, details.c_str()));
  g_error_free(error);
}

TrialResult::Outcome TrialStartFailingWith(int code, std::string* text = nullptr) {
  GstElement* source = gst_element_factory_make("appsrc", nullptr);
  GstAppSrcCallbacks callbacks{};
  callbacks.need_data = PostOpenFailure;
  gst_app_src_set_callbacks(GST_APP_SRC(source), &callbacks, GINT_TO_POINTER(code), nullptr);
  const TrialResult result = TrialStart(source);
  if (text) *text = result.text;
  return result.outcome;
}

TEST(CameraAccess, TrialStartTellsADeniedOpenFromABusyOneAndOtherFailures) {
  gst_init(nullptr, nullptr);
  EXPECT_EQ(TrialStartFailingWith(EACCES), TrialResult::Outcome::NoPermission);
  EXPECT_EQ(TrialStartFailingWith(EBUSY), TrialResult::Outcome::Busy);
  std::string text;
  EXPECT_EQ(TrialStartFailingWith(ENOENT, &text), TrialResult::Outcome::Failed);
  EXPECT_EQ(text, "Could not open device '/dev/video0' for reading and writing.");
}

}  // namespace
