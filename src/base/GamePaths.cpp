#include "base/GamePaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/Texts.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kMarker = "res/fonts.conf";
constexpr const char* kScoresName = "cam.ini";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string HomeFolder() {
  const std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "";
}

std::string WorkingFolder() {
  std::error_code error;
  const fs::path folder = fs::current_path(error);
  return error ? "." : folder.string();
}

// Where the installed data folder lies seen from the running executable,
// e.g. /usr/games/zestbox -> /usr/share/zestbox.
std::string DataFolderBesideExecutable() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return "";
  return (executable.parent_path() / ZESTBOX_DATA_FROM_BINDIR).lexically_normal().string();
}

// Makes `folder` and any missing parents, each with mode 0700. Returns 0 or
// the errno of the failure.
int MakeFolders(const fs::path& folder) {
  fs::path partial;
  for (const fs::path& part : folder) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  }
  std::error_code error;
  return fs::is_directory(folder, error) ? 0 : ENOTDIR;
}

std::string ChooseScoresFile(const GamePlaces& places, bool startedInGameFolder, GamePaths& paths) {
  if (!places.scoresOption.empty()) return AbsoluteIn(places.workingFolder, places.scoresOption);
  if (startedInGameFolder) return AbsoluteIn(places.workingFolder, kScoresName);
  if (places.userDataFolder.empty()) {
    paths.error = Translate("no folder for the high scores: set HOME or XDG_DATA_HOME, or give --scores FILE");
    return "";
  }
  paths.scoresInUserData = true;
  return AbsoluteIn(places.userDataFolder, kScoresName);
}

std::string FolderList(const std::vector<std::string>& folders) {
  std::string list;
  for (const std::string& folder : folders) list += (list.empty() ? "" : ", ") + folder;
  return list.empty() ? Translate("no install folder") : list;
}

}  // namespace

bool HoldsGameResources(const std::string& folder) {
  std::error_code error;
  return !folder.empty() && fs::is_regular_file(fs::path(folder) / kMarker, error);
}

std::string GameFolderFromResOption(const std::string& resFolder) {
  if (HoldsGameResources(resFolder)) return resFolder;
  const fs::path given = fs::path(resFolder).lexically_normal();
  const fs::path res = given.filename().empty() ? given.parent_path() : given;
  if (res.filename() == "res" && HoldsGameResources(res.parent_path().string())) return res.parent_path().string();
  return "";
}

GamePaths ChooseGamePaths(const GamePlaces& places) {
  GamePaths paths;
  const bool startedInGameFolder = HoldsGameResources(places.workingFolder);
  if (!places.resOption.empty()) {
    paths.gameFolder = GameFolderFromResOption(AbsoluteIn(places.workingFolder, places.resOption));
    if (paths.gameFolder.empty()) {
      paths.error = FormatText(Translate("--res: \"%s\" holds no game resources (no %s in it or under it)"),
                               {places.resOption, kMarker});
      return paths;
    }
  } else if (startedInGameFolder) {
    paths.gameFolder = AbsoluteIn(places.workingFolder, ".");
  } else {
    for (const std::string& folder : places.installFolders)
      if (paths.gameFolder.empty() && HoldsGameResources(folder)) paths.gameFolder = AbsoluteIn(folder, ".");
    if (paths.gameFolder.empty()) {
      paths.error = FormatText(Translate("cannot find the game's res folder in the working directory nor in %s; "
                                         "start zestbox from its folder or give --res DIR"),
                               {FolderList(places.installFolders)});
      return paths;
    }
  }
  paths.scoresFile = ChooseScoresFile(places, startedInGameFolder, paths);
  return paths;
}

GamePlaces CurrentGamePlaces(const std::string& resOption, const std::string& scoresOption) {
  GamePlaces places;
  places.workingFolder = WorkingFolder();
  places.resOption = resOption;
  places.scoresOption = scoresOption;
  const std::string beside = DataFolderBesideExecutable();
  if (!beside.empty()) places.installFolders.push_back(beside);
  if (beside != ZESTBOX_INSTALL_DATADIR) places.installFolders.push_back(ZESTBOX_INSTALL_DATADIR);
  places.userDataFolder = UserDataFolder(Environment("XDG_DATA_HOME"), HomeFolder());
  return places;
}

std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home) {
  if (!xdgDataHome.empty() && fs::path(xdgDataHome).is_absolute()) return AbsoluteIn(xdgDataHome, "zestbox");
  if (!home.empty() && fs::path(home).is_absolute()) return AbsoluteIn(home, ".local/share/zestbox");
  return "";
}

std::string AbsoluteIn(const std::string& folder, const std::string& path) {
  if (path.empty()) return "";
  fs::path result = (fs::path(folder) / path).lexically_normal();
  if (!result.filename().empty() || result == result.root_path()) return result.string();
  return result.parent_path().string();  // no trailing separator
}

std::string SettleGamePaths(const GamePaths& paths, std::string& warning) {
  warning.clear();
  const fs::path scoresFolder = fs::path(paths.scoresFile).parent_path();
  const int failure = paths.scoresInUserData ? MakeFolders(scoresFolder) : 0;
  if (failure != 0)
    warning = FormatText(Translate("cannot make the folder %s (%s): the high scores will not be kept"),
                         {scoresFolder.string(), std::strerror(failure)});
  if (::chdir(paths.gameFolder.c_str()) != 0)
    return FormatText(Translate("cannot change to the game's folder %s: %s"), {paths.gameFolder, std::strerror(errno)});
  return "";
}
