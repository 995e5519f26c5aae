#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "capture/CameraAccess.h"
#include "capture/CameraProbe.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Root may open anything, so a root test run drops to "nobody" in the death
// test's child before it looks.
void AsOrdinaryUser() {
  if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::exit(3);
}

TEST(CameraAccess, FindsOnlyTheVideoNodesThisUserMayNotOpen) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // GStreamer's threads may be running
  TempFolder folder;
  const fs::path dev = folder.Path();
  fs::permissions(dev, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  const std::pair<const char*, fs::perms> nodes[] = {
      {"video2", fs::perms::none}, {"video0", fs::perms::none}, {"video1", fs::perms::all}, {"audio0", fs::perms::none}};
  for (const auto& [name, perms] : nodes) {
    std::ofstream(dev / name) << "";
    fs::permissions(dev / name, perms);
  }
  const std::vector<std::string> expected = {(dev / "video0").string(), (dev / "video2").string()};
  EXPECT_EXIT(
      {
        AsOrdinaryUser();
        std::exit(CamerasWithoutPermission(dev.string()) == expected ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(CamerasWithoutPermission((dev / "absent").string()).empty());
  // What the player is told then: which camera, and how to join the group.
  const std::string text = NoPermissionText("/dev/video0");
  for (const char* part : {"/dev/video0", "\"video\" group", "usermod -aG video"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
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

TEST(CameraAccess, TrialStartTellsADeniedOpenFromABusyOneAndOtherFailures) {
  gst_init(nullptr, nullptr);
  const std::pair<int, TrialResult::Outcome> rows[] = {{EACCES, TrialResult::Outcome::NoPermission},
                                                       {EBUSY, TrialResult::Outcome::Busy},
                                                       {ENOENT, TrialResult::Outcome::Failed}};
  for (const auto& [code, outcome] : rows) {
    GstElement* source = gst_element_factory_make("appsrc", nullptr);
    GstAppSrcCallbacks callbacks{};
    callbacks.need_data = PostOpenFailure;
    gst_app_src_set_callbacks(GST_APP_SRC(source), &callbacks, GINT_TO_POINTER(code), nullptr);
    const TrialResult result = TrialStart(source);
    EXPECT_EQ(result.outcome, outcome) << code;
    if (outcome == TrialResult::Outcome::Failed) {
      EXPECT_EQ(result.text, "Could not open device '/dev/video0' for reading and writing.");
    }
  }
}

}  // namespace
