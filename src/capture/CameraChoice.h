#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/Texts.h"

class CCaptureEngine;

// The start-up camera dialog without its drawing: a device list and a mode
// list that drive the engine's image capture as the player chooses, and the
// OK and Cancel buttons. The drawing (CameraDialog) shows the lists and
// forwards the player's actions; tests call the same operations. Both lists
// hold the placeholder "---" as item 0; item k stands for entry k - 1 of the
// capture's device or mode list. Errors appear as message boxes (Desktop()).
// Main thread.
class CCameraChoice {
 public:
  enum class Outcome { Open, Ok, Cancel };

  static constexpr const char* kCaption = "Zestbox";
  static constexpr const char* kTitle = Translatable("Choose camera");  // shown translated
  static constexpr const char* kPlaceholder = "---";

  // The engine must have been initialised and stay alive while the choice is used.
  explicit CCameraChoice(CCaptureEngine& engine);

  // The dialog opens: lists the devices afresh and selects the only one,
  // or the placeholder when there are several.
  void Open();
  // The player picks a device item: builds the pipeline for it, attaches it
  // and lists its modes (no mode item selected).
  void SelectDevice(int32_t item);
  // The player picks a mode item: selects it and installs a new motion detector.
  void SelectMode(int32_t item);
  // Closes with OK once a device is attached; otherwise asks for one.
  void PressOk();
  void PressCancel();

  const std::vector<std::string>& GetDeviceItems() const { return deviceItems; }
  const std::vector<std::string>& GetModeItems() const { return modeItems; }
  // The selected item of each list, -1 when none.
  int32_t GetDeviceSelection() const { return deviceSelection; }
  int32_t GetModeSelection() const { return modeSelection; }
  Outcome GetOutcome() const { return outcome; }

 private:
  void ShowError(const std::string& text) const;

  CCaptureEngine& engine;
  std::vector<std::string> deviceItems;
  std::vector<std::string> modeItems;
  int32_t deviceSelection = -1;
  int32_t modeSelection = -1;
  Outcome outcome = Outcome::Open;
};
