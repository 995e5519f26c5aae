#pragma once

// Keeps the screen saver and display power-down off for as long as it lives,
// because the player stands in front of the camera and rarely touches the
// keyboard or mouse. Every game state holds one. The destructor puts back
// what the constructor found, so guards that are strictly nested (the next
// state's guard is built only after the previous one is gone, or inside it)
// leave the desktop as it was at start-up. Main thread only.
class CDisableScreenSaver {
 public:
  CDisableScreenSaver();
  virtual ~CDisableScreenSaver();
  CDisableScreenSaver(const CDisableScreenSaver&) = delete;
  CDisableScreenSaver& operator=(const CDisableScreenSaver&) = delete;

 private:
  // On SDL the three idle timeouts of the desktop collapse into one switch.
  bool savedAllowed;
};
