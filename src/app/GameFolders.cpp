#include "app/GameFolders.h"

#include <cstdio>

#include "app/CommandLine.h"
#include "base/GamePaths.h"
#include "scores/Hiscores.h"

namespace {

constexpr const char kFilePrefix[] = "file:";

void MakeAbsolute(const std::string& workingFolder, CommandLine& options) {
  options.screenshotFile = AbsoluteIn(workingFolder, options.screenshotFile);
  options.demoOut = AbsoluteIn(workingFolder, options.demoOut);
  if (options.camera.rfind(kFilePrefix, 0) == 0)
    options.camera = kFilePrefix + AbsoluteIn(workingFolder, options.camera.substr(sizeof kFilePrefix - 1));
}

}  // namespace

bool SettleGameFolders(CommandLine& options) {
  const GamePlaces places = CurrentGamePlaces(options.resFolder, options.scoresFile);
  const GamePaths paths = ChooseGamePaths(places);
  if (!paths.error.empty()) {
    std::fprintf(stderr, "zestbox: %s\n", paths.error.c_str());
    return false;
  }
  MakeAbsolute(places.workingFolder, options);
  std::string warning;
  const std::string error = SettleGamePaths(paths, warning);
  if (!warning.empty()) std::fprintf(stderr, "zestbox: %s\n", warning.c_str());
  if (!error.empty()) {
    std::fprintf(stderr, "zestbox: %s\n", error.c_str());
    return false;
  }
  Hiscores::SetFileName(paths.scoresFile);
  return true;
}
