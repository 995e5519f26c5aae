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
  text << "windowed=" << o.windowed << " frames=" << o.frames << " help=" << o.help << " version=" << o.version
       << " mode=" << o.mode << " demo=" << o.demo << " step=" << o.fixedStepMs
       << " seed=" << (o.seeded ? std::to_string(o.seed) : "time") << " name=" << o.demoPlan.name
       << " again=" << o.demoPlan.playAgain << " choices=";
  for (const int32_t choice : o.demoPlan.titleChoices) text << choice << ';';
  return text.str() + " ";
}

// The defaults, and what no program run of the suite shows: the options the
// end-to-end runs, the recordings and the folders' test play with reach the
// game there.
TEST(CommandLineTest, AcceptedArgumentsReachTheirOptions) {
  const struct {
    std::vector<std::string> arguments;
    std::string expected;  // words of Described(), each followed by a space
  } rows[] = {
      {{}, "windowed=0 frames=0 demo=0 step=0 seed=time "},
      {{"--screenshot", "x.png"}, "frames=1 "},  // a screenshot alone takes the first frame
      {{"--frames", "4294967295"}, "frames=4294967295 "},
      {{"--help", "--version", "--mode", "640x480"}, "help=1 version=1 mode=640x480 "},
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
  EXPECT_TRUE(fs::is_directory(scratch.File("data/zestbox")));

  fs::current_path(runFolder);
  Hiscores::SetFileName(oldScores);
}

}  // namespace
