#pragma once
#include <cstdint>
#include <string>

#include "app/DemoPlan.h"

// The program's options. A normal game needs none.
struct CommandLine {
  bool windowed = false;        // --windowed: keep the 1000 x 750 window
  std::string screenshotFile;   // --screenshot FILE: write the last frame as PNG
  uint32_t frames = 0;          // --frames N: end after N drawn frames (0: no limit)
  std::string homepage;         // --homepage URL: the maker's web page
  std::string camera;           // --camera NAME|INDEX|test|file:PATH: no dialog
  std::string mode;             // --mode WIDTHxHEIGHT: the camera's picture size
  bool demo = false;            // --demo: the virtual player on the demo camera
  DemoPlan demoPlan;            // --demo-plan TEXT: what the virtual player does
  std::string demoOut;          // --demo-out DIR: the demo's screenshots and summary
  uint32_t fixedStepMs = 0;     // --fixed-step MS: the clock moves MS per pass (0: real time)
  bool seeded = false;          // --seed N: the egg game's dice (and the virtual player's)
  uint32_t seed = 1;
  std::string resFolder;        // --res DIR: the game's folder (holding res/) or its res/ folder
  std::string scoresFile;       // --scores FILE: the high-score settings file
  bool help = false;            // --help
  bool version = false;         // --version
  std::string error;            // why the arguments were refused; empty when accepted
};

// Reads argv[1..argc-1]. A screenshot without --frames takes the first frame.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// The text --help prints.
std::string UsageText();
