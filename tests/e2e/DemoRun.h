#pragma once
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/ProgramRun.h"

// One run of the real program with the virtual player, headless, on the
// fixed-step clock and the seed of ZESTBOX_E2E_SEED (1 when unset), its
// summary read once it has ended. The constructor returns then.
class CDemoRun {
 public:
  // `arguments` come after --windowed --demo --fixed-step 40 --seed N --demo-out out.
  explicit CDemoRun(const std::vector<std::string>& arguments) : run(Arguments(arguments)) {
    output = run.ReadAll();
    exitCode = run.Wait();
    std::ifstream file(run.File("out/summary.txt"));
    for (std::string line; std::getline(file, line);) {
      const size_t colon = line.find(": ");
      if (colon != std::string::npos) summary[line.substr(0, colon)] = line.substr(colon + 2);
    }
  }

  // The exit code; -1 when the program did not exit by itself.
  int ExitCode() const { return exitCode; }
  // Standard output and error.
  const std::string& Output() const { return output; }
  // A value of out/summary.txt ("" when the line is missing).
  std::string Summary(const std::string& key) const {
    const auto found = summary.find(key);
    return found != summary.end() ? found->second : std::string();
  }
  int Number(const std::string& key) const { return std::atoi(Summary(key).c_str()); }
  // The summary's screens, in the order they came up.
  std::vector<std::string> Screens() const {
    std::vector<std::string> screens;
    std::istringstream list(Summary("screens"));
    for (std::string screen; std::getline(list >> std::ws, screen, ',');) screens.push_back(screen);
    return screens;
  }
  std::string File(const std::string& name) const { return run.File(name); }

 private:
  static std::vector<std::string> Arguments(const std::vector<std::string>& extra) {
    const char* seed = std::getenv("ZESTBOX_E2E_SEED");
    std::vector<std::string> all{"--windowed", "--demo", "--fixed-step", "40", "--seed",
                                 seed != nullptr && std::atoi(seed) > 0 ? seed : "1", "--demo-out", "out"};
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
  }

  ProgramRun run;
  std::string output;
  int exitCode = -1;
  std::map<std::string, std::string> summary;
};
