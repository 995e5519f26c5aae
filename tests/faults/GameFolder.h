#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/TempFolder.h"

// Makes a fresh temporary folder, with an empty res/ in it, the working
// directory for the object's lifetime: the game then finds none of its
// pictures, sounds or music, and keeps its cam.ini there.
class GameFolder {
 public:
  GameFolder() : previous(std::filesystem::current_path()) {
    std::filesystem::create_directory(folder.File("res"));
    std::filesystem::current_path(folder.Path());
  }
  ~GameFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
  }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  std::string File(const std::string& name) const { return folder.File(name); }
  const std::string& Path() const { return folder.Path(); }

 private:
  std::filesystem::path previous;
  TempFolder folder;
};
