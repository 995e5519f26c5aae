#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/GameFolders.h"
#include "app/Homepage.h"
#include "scores/Hiscores.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

CommandLine Parse(std::vector<std::string> arguments) {
  std::vector<const char*> argv{"zestbox"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// The parsed options as "name=value" words, for rows to pick from.
std::string Described(const CommandLine& o) {
  std::ostringstream text;
  text << "windowed=" << o.windowed << " frames=" << o.frames << " screenshot=" << o.screenshotFile
       << " homepage=" << o.homepage << " help=" << o.help << " version=" << o.version << " camera=" << o.camera
       << " mode=" << o.mode << " demo=" << o.demo << " out=" << o.demoOut << " step=" << o.fixedStepMs
       << " seed=" << (o.seeded ? std::to_string(o.seed) : "time") << " res=" << o.resFolder
       << " scores=" << o.scoresFile << " name=" << o.demoPlan.name << " misses=" << o.demoPlan.missPercent
       << " tired=" << o.demoPlan.tiredFromLevel << " again=" << o.demoPlan.playAgain << " choices=";
  for (const int32_t choice : o.demoPlan.titleChoices) text << choice << ';';
  return text.str() + " ";
}

TEST(CommandLineTest, AcceptedArgumentsReachTheirOptions) {
  const struct {
    std::vector<std::string> arguments;
    std::string expected;  // words of Described(), each followed by a space
  } rows[] = {
      {{}, "windowed=0 frames=0 demo=0 step=0 seed=time "},
      {{"--windowed", "--screenshot", "/tmp/a b.png", "--frames", "5"}, "windowed=1 frames=5 screenshot=/tmp/a b.png "},
      {{"--screenshot", "x.png"}, "frames=1 "},  // a screenshot alone takes the first frame
      {{"--frames", "4294967295"}, "frames=4294967295 "},
      {{"--homepage", "https://x.test/", "--help", "--version"}, "homepage=https://x.test/ help=1 version=1 "},
      {{"--camera", "file:/tmp/a.mkv", "--mode", "640x480"}, "camera=file:/tmp/a.mkv mode=640x480 "},
      {{"--res", "/opt/zb", "--scores", "s.ini"}, "res=/opt/zb scores=s.ini "},
      {{"--demo", "--demo-out", "shots", "--fixed-step", "20", "--seed", "42"}, "demo=1 out=shots step=20 seed=42 "},
      {{"--demo-plan", "misses=25,scores,name=ace7,quit,tired=3,again=no"},
       "name=ace7 misses=25 tired=3 again=0 choices=5;7; "},
      {{"--demo-plan", ""}, "name=demo again=1 choices=0; "},
  };
  for (const auto& row : rows) {
    const CommandLine options = Parse(row.arguments);
    EXPECT_EQ("", options.error) << row.expected;
    const std::string described = Described(options);
    std::istringstream words(row.expected);
    for (std::string word; std::getline(words, word, ' ');) {
      EXPECT_NE(std::string::npos, (" " + described).find(" " + word + " ")) << word << " in " << described;
    }
  }
}

TEST(CommandLineTest, BadArgumentsAreRefusedWithAReason) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;  // a part of the error
  } rows[] = {
      {{"--camera"}, "--camera"},       {{"--camera", ""}, "--camera"},     {{"--mode", "320"}, "--mode"},
      {{"--mode", "320x"}, "--mode"},   {{"--mode", "x240"}, "--mode"},     {{"--mode", "0x240"}, "--mode"},
      {{"--mode", "320x240x"}, "--mode"}, {{"--mode", "320*240"}, "--mode"}, {{"--frames"}, "--frames"},
      {{"--screenshot"}, "--screenshot"}, {{"--frames", "0"}, "--frames"},  {{"--frames", "-3"}, "--frames"},
      {{"--frames", "5x"}, "--frames"}, {{"--frames", ""}, "--frames"},     {{"--frames", "99999999999"}, "--frames"},
      {{"--frames", " 7"}, "--frames"}, {{"--fixed-step", "0"}, "--fixed-step"},
      {{"--fixed-step", "fast"}, "--fixed-step"}, {{"--seed", "-3"}, "--seed"}, {{"--demo-out"}, "--demo-out"},
      {{"--res", ""}, "--res"},         {{"--res"}, "--res"},               {{"--scores", ""}, "--scores"},
      {{"--scores"}, "--scores"},       {{"--jump"}, "--jump"},
  };
  for (const auto& row : rows) {
    EXPECT_NE(std::string::npos, Parse(row.arguments).error.find(row.reason)) << row.arguments[0];
  }
  for (const char* plan : {"dance", "game,,quit", "misses=101", "misses=-1", "misses=", "name=", "name=ninechars",
                           "name=Ace", "name=a b", "again=maybe", "tired=x", "game,jump"}) {
    EXPECT_NE(std::string::npos, Parse({"--demo-plan", plan}).error.find("demo plan")) << plan;
  }
}

// --help: one line an option, each taken by the parser with a value of the kind it names.
TEST(CommandLineTest, EveryOptionOfTheHelpIsOneLineThatTheParserAccepts) {
  std::istringstream text(UsageText());
  int options = 0;
  for (std::string line; std::getline(text, line);) {
    EXPECT_NE(0u, line.rfind("   ", 0)) << "a continued line: " << line;
    if (line.rfind("  --", 0) != 0) continue;
    ++options;
    std::istringstream words(line);
    std::string option, value;
    words >> option >> value;
    std::vector<std::string> arguments{option};
    if (!value.empty() && std::isupper(static_cast<unsigned char>(value[0])))
      arguments.push_back(option == "--mode" ? "320x240" : option == "--demo-plan" ? "game" : "7");
    EXPECT_EQ("", Parse(arguments).error) << line;
  }
  EXPECT_GE(options, 14) << "--res and --scores among them";
}

TEST(HomepageTest, TheConfiguredAddressWinsElseTheShippedPageAsAnEscapedFileUrl) {
  EXPECT_EQ("https://x.test/", HomepageUrl("https://x.test/"));
  EXPECT_EQ(FileUrl((fs::current_path() / "res/web/index.html").string()), HomepageUrl(""));
  EXPECT_EQ("file:///home/a%20b/%23x%25/ok-._~.html", FileUrl("/home/a b/#x%/ok-._~.html"));
  EXPECT_EQ("file:///%C5%BC", FileUrl("/\xC5\xBC"));
}

// Started from a folder of the player's with --res naming the game's folder:
// the game moves there, and the paths the player gave still mean what they meant.
TEST(GameFoldersTest, TheGameMovesIntoItsFolderWithThePlayersPathsStillPointingWhereTheyWereMeant) {
  TempFolder scratch;
  const fs::path runFolder = fs::current_path();
  const std::string oldScores = Hiscores::GetFileName();
  const ScopedEnvironment data("XDG_DATA_HOME", scratch.File("data"));
  const fs::path start = scratch.File("start");
  fs::create_directory(start);
  fs::current_path(start);
  const std::string res = (runFolder / "res").string();
  CommandLine options = Parse({"--res", res, "--screenshot", "shot.png", "--camera", "file:clips/a.mkv", "--demo-out", "out"});
  ASSERT_TRUE(SettleGameFolders(options));
  EXPECT_EQ(runFolder, fs::current_path());
  EXPECT_EQ((start / "shot.png").string(), options.screenshotFile);
  EXPECT_EQ("file:" + (start / "clips/a.mkv").string(), options.camera);
  EXPECT_EQ((start / "out").string(), options.demoOut);
  EXPECT_EQ(scratch.File("data/zestbox/cam.ini"), Hiscores::GetFileName());
  EXPECT_TRUE(fs::is_directory(scratch.File("data/zestbox")));

  fs::remove_all(scratch.File("data"));
  fs::current_path(start);
  options = Parse({"--res", res, "--scores", "my.ini"});
  ASSERT_TRUE(SettleGameFolders(options));
  EXPECT_EQ((start / "my.ini").string(), Hiscores::GetFileName());
  EXPECT_FALSE(fs::exists(scratch.File("data"))) << "no data folder for a scores file of the player's";

  fs::current_path(start);
  options = Parse({"--res", "nowhere"});
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SettleGameFolders(options));
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("\"nowhere\""));
  EXPECT_EQ(start, fs::current_path()) << "a bad --res stops the start where it is";
  fs::current_path(runFolder);
  Hiscores::SetFileName(oldScores);
}

}  // namespace
