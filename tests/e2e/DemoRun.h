#pragma once
#include <map>
#include <string>
#include <vector>

#include "support/TempFolder.h"

// One run of the real program with the virtual player, headless, in a fresh
// working folder of its own (with the game's res/), on the fixed-step clock
// and the seed of ZESTBOX_E2E_SEED (1 when unset). The constructor returns
// once the program has ended.
class CDemoRun {
 public:
  // `arguments` come after --windowed --demo --fixed-step 40 --seed N
  // --demo-out out. `camIni`, when not empty, is the settings file the run
  // starts with.
  explicit CDemoRun(const std::vector<std::string>& arguments, const std::string& camIni = "");

  // The exit code; -1 when the program did not exit by itself.
  int ExitCode() const { return exitCode; }
  // Standard output and error.
  const std::string& Output() const { return output; }
  // A value of out/summary.txt ("" when the line is missing).
  std::string Summary(const std::string& key) const;
  int Number(const std::string& key) const;
  // The summary's screens, in the order they came up.
  std::vector<std::string> Screens() const;
  std::string File(const std::string& name) const { return folder.File(name); }

  static unsigned Seed();

 private:
  TempFolder folder;
  int exitCode = -1;
  std::string output;
  std::map<std::string, std::string> summary;
};
