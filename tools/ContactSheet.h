#pragma once
#include <string>

// Reads every picture back from `resDir` and writes, into `workDir`, a
// contact sheet over a checkerboard (contact_checker.png), one over a
// photo-like room (contact_photo.png) and mock screens that combine the
// pictures over the room the way the game blends them (screen_*.png).
bool MakeContactSheets(const std::string& resDir, const std::string& workDir);
