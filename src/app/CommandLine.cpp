#include "app/CommandLine.h"

#include <cerrno>
#include <cstdlib>

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
      options.error = "--camera needs a camera's name or number, \"test\" or \"file:PATH\"";
    }
  } else if (option == "--mode") {
    options.mode = value;
    if (!IsModeText(value)) {
      options.error = "--mode needs WIDTHxHEIGHT, such as 320x240, not \"" + value + "\"";
    }
  } else if (option == "--demo-plan") {
    ParseDemoPlan(value, options.demoPlan, options.error);
  } else if (option == "--demo-out") {
    options.demoOut = value;
  } else if (option == "--fixed-step") {
    if (!ParseCount(value, options.fixedStepMs)) options.error = "--fixed-step needs a positive number of milliseconds";
  } else if (option == "--seed") {
    options.seeded = ParseCount(value, options.seed);
    if (!options.seeded) options.error = "--seed needs a positive number";
  } else if (option == "--res" || option == "--scores") {
    (option == "--res" ? options.resFolder : options.scoresFile) = value;
    if (value.empty()) options.error = option + " needs a path";
  } else if (!ParseCount(value, options.frames)) {
    options.error = "--frames needs a positive number of frames, not \"" + value + "\"";
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
        options.error = option + " needs a value";
        break;
      }
      TakeValue(option, argv[++i], options);
    } else {
      options.error = "unknown option \"" + option + "\"";
    }
  }
  if (options.error.empty() && !options.screenshotFile.empty() && options.frames == 0) {
    options.frames = 1;
  }
  return options;
}

std::string UsageText() {
  return "Usage: zestbox [options]\n"
         "\n"
         "A webcam arcade game: move in front of the camera to play.\n"
         "\n"
         "  --windowed         play in a 1000 x 750 window instead of full screen\n"
         "  --screenshot FILE  write the last drawn frame to FILE as PNG\n"
         "  --frames N         end after N drawn frames (with --screenshot: default 1)\n"
         "  --homepage URL     the web page opened when the player quits\n"
         "  --camera CAMERA    skip the camera dialog: name, number, \"test\" or \"file:PATH\"\n"
         "  --mode WxH         the camera's picture size (default 320x240 when offered)\n"
         "  --demo             a virtual player in front of a demo camera plays by itself\n"
         "  --demo-plan PLAN   what the demo's player does (its words: see man zestbox)\n"
         "  --demo-out DIR     write the demo's screenshots and summary.txt to DIR\n"
         "  --fixed-step MS    the clock moves MS ms per pass: repeatable games with --seed\n"
         "  --seed N           the egg game's dice and the virtual player's choices\n"
         "  --res DIR          take the game's res/ folder from DIR (or DIR is that folder)\n"
         "  --scores FILE      keep the high scores in FILE\n"
         "  --help             show this text and exit\n"
         "  --version          show the version and exit\n";
}
