#include "app/CommandLine.h"

#include <cerrno>
#include <cstdlib>

#include "base/Texts.h"

namespace {

// A positive decimal count that fits 32 bits.
bool ParseCount(const std::string& text, uint32_t& count) {
  if (text.empty() || text[0] < '0' || text[0] > '9') {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value == 0 || value > UINT32_MAX) {
    return false;
  }
  count = static_cast<uint32_t>(value);
  return true;
}

// "WIDTHxHEIGHT", both positive decimal counts.
bool IsModeText(const std::string& text) {
  const size_t x = text.find('x');
  uint32_t count = 0;
  return x != std::string::npos && ParseCount(text.substr(0, x), count) && ParseCount(text.substr(x + 1), count);
}

// Stores the value of an option that takes one, or why it is refused.
void TakeValue(const std::string& option, const std::string& value, CommandLine& options) {
  if (option == "--screenshot") {
    options.screenshotFile = value;
  } else if (option == "--homepage") {
    options.homepage = value;
  } else if (option == "--camera") {
    options.camera = value;
    if (value.empty()) {
      options.error = Translate("--camera needs a camera's name or number, \"test\" or \"file:PATH\"");
    }
  } else if (option == "--mode") {
    options.mode = value;
    if (!IsModeText(value)) {
      options.error = FormatText(Translate("--mode needs WIDTHxHEIGHT, such as 320x240, not \"%s\""), {value});
    }
  } else if (option == "--demo-plan") {
    ParseDemoPlan(value, options.demoPlan, options.error);
  } else if (option == "--demo-out") {
    options.demoOut = value;
  } else if (option == "--fixed-step") {
    if (!ParseCount(value, options.fixedStepMs)) options.error = Translate("--fixed-step needs a positive number of milliseconds");
  } else if (option == "--seed") {
    options.seeded = ParseCount(value, options.seed);
    if (!options.seeded) options.error = Translate("--seed needs a positive number");
  } else if (option == "--res" || option == "--scores") {
    (option == "--res" ? options.resFolder : options.scoresFile) = value;
    if (value.empty()) options.error = FormatText(Translate("%s needs a path"), {option});
  } else if (!ParseCount(value, options.frames)) {
    options.error = FormatText(Translate("--frames needs a positive number of frames, not \"%s\""), {value});
  }
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine options;
  for (int i = 1; i < argc && options.error.empty(); ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--windowed") {
      options.windowed = true;
    } else if (option == "--demo") {
      options.demo = true;
    } else if (option == "--help") {
      options.help = true;
    } else if (option == "--version") {
      options.version = true;
    } else if (option == "--screenshot" || option == "--frames" || option == "--homepage" ||
               option == "--camera" || option == "--mode" || option == "--demo-plan" || option == "--demo-out" ||
               option == "--fixed-step" || option == "--seed" || option == "--res" || option == "--scores") {
      if (!hasValue) {
        options.error = FormatText(Translate("%s needs a value"), {option});
        break;
      }
      TakeValue(option, argv[++i], options);
    } else {
      options.error = FormatText(Translate("unknown option \"%s\""), {option});
    }
  }
  if (options.error.empty() && !options.screenshotFile.empty() && options.frames == 0) {
    options.frames = 1;
  }
  return options;
}

namespace {

// One line of --help: the option, the value it takes, what it does.
struct UsageLine {
  const char* option;
  const char* value;
  const char* description;
};

constexpr UsageLine kUsageLines[] = {
    {"--windowed", "", Translatable("play in a 1000 x 750 window instead of full screen")},
    {"--screenshot", Translatable("FILE"), Translatable("write the last drawn frame to FILE as PNG")},
    {"--frames", Translatable("N"), Translatable("end after N drawn frames (with --screenshot: default 1)")},
    {"--homepage", Translatable("URL"), Translatable("the web page opened when the player quits")},
    {"--camera", Translatable("CAMERA"),
     Translatable("skip the camera dialog: name, number, \"test\" or \"file:PATH\"")},
    {"--mode", Translatable("WxH"), Translatable("the camera's picture size (default 320x240 when offered)")},
    {"--demo", "", Translatable("a virtual player in front of a demo camera plays by itself")},
    {"--demo-plan", Translatable("PLAN"), Translatable("what the demo's player does (its words: see man zestbox)")},
    {"--demo-out", Translatable("DIR"), Translatable("write the demo's screenshots and summary.txt to DIR")},
    {"--fixed-step", Translatable("MS"), Translatable("the clock moves MS ms per pass: repeatable games with --seed")},
    {"--seed", Translatable("N"), Translatable("the egg game's dice and the virtual player's choices")},
    {"--res", Translatable("DIR"), Translatable("take the game's res/ folder from DIR (or DIR is that folder)")},
    {"--scores", Translatable("FILE"), Translatable("keep the high scores in FILE")},
    {"--help", "", Translatable("show this text and exit")},
    {"--version", "", Translatable("show the version and exit")},
};

// Descriptions start in this column, counted from the option's first dash.
constexpr size_t kDescriptionColumn = 19;

// The width of a UTF-8 text in characters (each taking one column).
size_t Columns(const std::string& text) {
  size_t columns = 0;
  for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return columns;
}

}  // namespace

std::string UsageText() {
  std::string text = Translate("Usage: zestbox [options]\n\nA webcam arcade game: move in front of the camera to "
                               "play.\n\n");
  for (const UsageLine& line : kUsageLines) {
    std::string option = line.option;
    if (*line.value != '\0') option += std::string(" ") + Translate(line.value);
    option.append(kDescriptionColumn > Columns(option) ? kDescriptionColumn - Columns(option) : 1, ' ');
    text += "  " + option + Translate(line.description) + "\n";
  }
  return text;
}
