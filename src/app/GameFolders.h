#pragma once

struct CommandLine;

// Settles where the game's files are before anything is loaded (the rules are
// in base/GamePaths.h): the working directory becomes the folder that holds
// res/, so every "./res/..." name keeps working, and the high scores go to
// their file. Paths given on the command line are made absolute first, as
// they were meant from where the game was started. Says why on standard error
// and returns false when the game cannot start. Main thread, before the
// window is made.
bool SettleGameFolders(CommandLine& options);
