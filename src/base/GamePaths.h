#pragma once
#include <string>
#include <vector>

// Where the game's files live. Every picture, sound and tune is read as
// "./res/..." and the high scores go to one settings file, so the game needs
// a working directory that holds res/ and the name of that file.
//
// Started from its own folder (one that holds res/fonts.conf) the game keeps
// both there. Installed and started from anywhere else it takes res/ from the
// install's data folder and keeps the scores in the user's data folder.
// --res and --scores override either choice.

// Everything the choice depends on. CurrentGamePlaces() reads it from the
// process; tests fill it in themselves.
struct GamePlaces {
  std::string workingFolder;                // absolute
  std::string resOption;                    // --res DIR, "" when not given; relative to workingFolder
  std::string scoresOption;                 // --scores FILE, "" when not given; relative to workingFolder
  std::vector<std::string> installFolders;  // an install's data folders, best first
  std::string userDataFolder;               // "$XDG_DATA_HOME/zestbox"; "" when there is no home
};

// The choice: absolute paths, or the reason why the game cannot start.
struct GamePaths {
  std::string gameFolder;          // holds res/; becomes the working directory
  std::string scoresFile;          // the high-score settings file
  bool scoresInUserData = false;   // scoresFile lies in the user's data folder, made on first start
  std::string error;               // empty when the game can start
};

// True when `folder` holds the game's res/ folder (res/fonts.conf marks it, so
// an unrelated folder named res is not taken for the game's).
bool HoldsGameResources(const std::string& folder);

// The folder --res names: either one that holds res/ or the res/ folder
// itself. "" when it is neither.
std::string GameFolderFromResOption(const std::string& resFolder);

GamePaths ChooseGamePaths(const GamePlaces& places);

// The places of this process: its working directory, the data folder beside
// its executable (../share/zestbox from bin/) and the configured install
// prefix's, and $XDG_DATA_HOME/zestbox (default ~/.local/share/zestbox).
GamePlaces CurrentGamePlaces(const std::string& resOption, const std::string& scoresOption);

// "$XDG_DATA_HOME/zestbox" for the given environment values (a relative
// XDG_DATA_HOME is ignored, as the base-directory rules say); "" when both
// are empty or unusable.
std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home);

// `path` made absolute against `folder`, normalised; "" stays "".
std::string AbsoluteIn(const std::string& folder, const std::string& path);

// Makes the choice real before anything is loaded: creates the user's data
// folder (mode 0700) when the scores go there, then changes the working
// directory to the game folder. Returns "" or what failed; a data folder that
// cannot be made is only reported (the scores then are not kept) and does not
// stop the game. Main thread, before any other thread starts.
std::string SettleGamePaths(const GamePaths& paths, std::string& warning);
