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

// No option makes a full-screen game; the rest is what no program run of the
// suite shows (the options the end-to-end runs, the recordings and the
// folders' test play with reach the game there).
TEST(CommandLineTest, AcceptedArgumentsReachTheirOptions) {
  const CommandLine none = Parse({}), asked = Parse({"--help", "--version", "--mode", "640x480"});
  EXPECT_FALSE(none.windowed || none.demo || none.seeded || none.frames != 0 || !none.error.empty());
  EXPECT_EQ(1u, Parse({"--screenshot", "x.png"}).frames) << "a screenshot alone takes the first frame";
  EXPECT_EQ(4294967295u, Parse({"--frames", "4294967295"}).frames);
  EXPECT_TRUE(asked.help && asked.version && asked.mode == "640x480" && asked.error.empty());
  EXPECT_EQ(DemoPlan().titleChoices, Parse({"--demo-plan", ""}).demoPlan.titleChoices) << "an empty plan";
}

// Each refusal names the option at fault.
TEST(CommandLineTest, BadArgumentsAreRefusedWithAReason) {
  const std::vector<std::string> rows[] = {
      {"--camera"},         {"--camera", ""},         {"--mode", "320"},         {"--mode", "320x"},
      {"--mode", "x240"},   {"--mode", "0x240"},      {"--mode", "320x240x"},    {"--mode", "320*240"},
      {"--frames"},         {"--screenshot"},         {"--frames", "0"},         {"--frames", "-3"},
      {"--frames", "5x"},   {"--frames", ""},         {"--frames", "99999999999"}, {"--frames", " 7"},
      {"--fixed-step", "0"}, {"--fixed-step", "fast"}, {"--seed", "-3"},         {"--demo-out"},
      {"--res", ""},        {"--scores"},             {"--jump"},
  };
  for (const auto& arguments : rows) {
    EXPECT_NE(std::string::npos, Parse(arguments).error.find(arguments[0])) << arguments[0];
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
    std::string option, value;
    std::istringstream(line) >> option >> value;
    std::vector<std::string> arguments{option};
    if (!value.empty() && std::isupper(static_cast<unsigned char>(value[0])))
      arguments.push_back(option == "--mode" ? "320x240" : option == "--demo-plan" ? "game" : "7");
    EXPECT_EQ("", Parse(arguments).error) << line;
  }
  EXPECT_GE(options, 14) << "--res and --scores among them";
}

// Without --homepage the shipped page opens, as an escaped file URL (the
// end-to-end runs check that a configured address wins).
TEST(HomepageTest, TheConfiguredAddressWinsElseTheShippedPageAsAnEscapedFileUrl) {
  EXPECT_EQ(FileUrl((fs::current_path() / "res/web/index.html").string()), HomepageUrl(""));
  EXPECT_EQ("file:///home/a%20b/%23x%25/ok-._~.html", FileUrl("/home/a b/#x%/ok-._~.html"));
  EXPECT_EQ("file:///%C5%BC", FileUrl("/\xC5\xBC"));
}

// Started from a folder of the player's with --res naming the game's folder:
// the game moves there, the paths the player gave still mean what they meant,
// and the tables are kept in the player's data folder. (Where the game's and
// the scores' folders are, and what is refused, is GamePathsTest's table.)
TEST(GameFoldersTest, TheGameMovesIntoItsFolderWithThePlayersPathsStillPointingWhereTheyWereMeant) {
  TempFolder scratch;
  const fs::path runFolder = fs::current_path(), start = scratch.File("start");
  const std::string oldScores = Hiscores::GetFileName(), res = (runFolder / "res").string();
  const ScopedEnvironment data("XDG_DATA_HOME", scratch.File("data"));
  fs::create_directory(start);
  fs::current_path(start);
  CommandLine options =
      Parse({"--res", res, "--screenshot", "shot.png", "--camera", "file:clips/a.mkv", "--demo-out", "out"});
  ASSERT_TRUE(SettleGameFolders(options));
  EXPECT_EQ(runFolder, fs::current_path());
  EXPECT_EQ((start / "shot.png").string(), options.screenshotFile);
  EXPECT_EQ("file:" + (start / "clips/a.mkv").string(), options.camera);
  EXPECT_EQ((start / "out").string(), options.demoOut);
  EXPECT_EQ(scratch.File("data/zestbox/cam.ini"), Hiscores::GetFileName());

  fs::current_path(runFolder);
  Hiscores::SetFileName(oldScores);
}

}  // namespace
