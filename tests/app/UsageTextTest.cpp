#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

// The option lines of --help: "  --name [VALUE]  what it does".
std::vector<std::string> OptionLines() {
  std::istringstream text(UsageText());
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);)
    if (line.rfind("  --", 0) == 0) lines.push_back(line);
  return lines;
}

TEST(UsageText, EveryOptionIsOneLineThatTheParserAccepts) {
  std::istringstream text(UsageText());
  for (std::string line; std::getline(text, line);)
    EXPECT_FALSE(line.rfind("   ", 0) == 0) << "a continued line: " << line;
  const std::vector<std::string> lines = OptionLines();
  ASSERT_GE(lines.size(), 12u);
  for (const std::string& line : lines) {
    std::istringstream words(line);
    std::string option, value;
    words >> option >> value;
    // A value in capitals (FILE, N, WxH...) is taken; give one each accepts.
    const bool takesValue = !value.empty() && std::isupper(static_cast<unsigned char>(value[0]));
    const std::string sample = option == "--mode" ? "320x240" : option == "--demo-plan" ? "game" : "7";
    const char* argv[] = {"zestbox", option.c_str(), sample.c_str()};
    EXPECT_EQ(ParseCommandLine(takesValue ? 3 : 2, argv).error, "") << line;
  }
}

TEST(UsageText, ListsWhereFilesComeFrom) {
  const std::string text = UsageText();
  EXPECT_NE(text.find("  --res DIR "), std::string::npos);
  EXPECT_NE(text.find("  --scores FILE "), std::string::npos);
  const char* argv[] = {"zestbox", "--res", "/opt/zb", "--scores", "s.ini"};
  const CommandLine options = ParseCommandLine(5, argv);
  EXPECT_EQ(options.resFolder, "/opt/zb");
  EXPECT_EQ(options.scoresFile, "s.ini");
  for (const char* option : {"--res", "--scores"}) {
    const char* empty[] = {"zestbox", option, ""};
    EXPECT_NE(ParseCommandLine(3, empty).error, "") << option;
    const char* missing[] = {"zestbox", option};
    EXPECT_NE(ParseCommandLine(2, missing).error, "") << option;
  }
}

}  // namespace
