#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/CommandLine.h"
#include "app/Homepage.h"

namespace {

CommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "zestbox");
  return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, NoOptionsMeansAFullScreenGame) {
  const CommandLine options = Parse({});
  EXPECT_TRUE(options.error.empty());
  EXPECT_FALSE(options.windowed);
  EXPECT_EQ(0u, options.frames);
}

TEST(CommandLineTest, TheHeadlessScreenshotRun) {
  const CommandLine options = Parse({"--windowed", "--screenshot", "/tmp/a b.png", "--frames", "5"});
  EXPECT_TRUE(options.error.empty());
  EXPECT_TRUE(options.windowed);
  EXPECT_EQ("/tmp/a b.png", options.screenshotFile);
  EXPECT_EQ(5u, options.frames);
  EXPECT_EQ(1u, Parse({"--screenshot", "x.png"}).frames) << "a screenshot alone takes the first frame";
  EXPECT_EQ("https://x.test/", Parse({"--homepage", "https://x.test/"}).homepage);
  EXPECT_TRUE(Parse({"--help"}).help);
  const CommandLine camera = Parse({"--camera", "file:/tmp/a.mkv", "--mode", "640x480"});
  EXPECT_TRUE(camera.error.empty());
  EXPECT_EQ("file:/tmp/a.mkv", camera.camera);
  EXPECT_EQ("640x480", camera.mode);
  EXPECT_TRUE(Parse({"--version"}).version);
}

TEST(CommandLineTest, BadArgumentsAreRefusedWithAReason) {
  EXPECT_NE(std::string::npos, Parse({"--camera"}).error.find("--camera"));
  EXPECT_NE(std::string::npos, Parse({"--camera", ""}).error.find("--camera"));
  for (const char* mode : {"320", "320x", "x240", "0x240", "320x240x", "320*240"}) {
    EXPECT_NE(std::string::npos, Parse({"--mode", mode}).error.find("--mode")) << mode;
  }
  EXPECT_FALSE(Parse({"--frames"}).error.empty());
  EXPECT_FALSE(Parse({"--screenshot"}).error.empty());
  for (const char* count : {"0", "-3", "5x", "", "99999999999", " 7"}) {
    EXPECT_FALSE(Parse({"--frames", count}).error.empty()) << '"' << count << '"';
  }
  EXPECT_EQ(4294967295u, Parse({"--frames", "4294967295"}).frames);
}

TEST(HomepageTest, TheConfiguredAddressWinsElseTheShippedPageAsAFileUrl) {
  EXPECT_EQ("https://x.test/", HomepageUrl("https://x.test/"));
  const std::string expected = FileUrl((std::filesystem::current_path() / "res/web/index.html").string());
  EXPECT_EQ(expected, HomepageUrl(""));
  EXPECT_EQ(0u, expected.rfind("file:///", 0));
}

TEST(HomepageTest, FileUrlsEscapeWhatAUrlCannotHold) {
  EXPECT_EQ("file:///home/a%20b/%23x%25/ok-._~.html", FileUrl("/home/a b/#x%/ok-._~.html"));
  EXPECT_EQ("file:///%C5%BC", FileUrl("/\xC5\xBC"));
}

}  // namespace
