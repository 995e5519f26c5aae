#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "menu/OptionWheel.h"
#include "menu/OptionsLayer.h"
#include "scores/HiscoreLayer.h"
#include "state/GameLoop.h"

// The high-score screen: the egg game's table over the camera picture, with
// a two-member wheel ("Nestfall", "Back") turned by two arrow options held
// with movement. Choosing "Back" by movement, Enter on "Back", or Escape
// returns to the title.
class CHiscoresLoop : public CGameLoop {
 public:
  static constexpr int32_t kTableCount = 5;

  CHiscoresLoop() = default;
  ~CHiscoresLoop() override;

  int32_t OnKey(int32_t key) override;
  int32_t Leave() override;
  void Update() override;
  void Start() override;

  int32_t GetShownIndex() const { return shownIndex; }
  const HiscoreLayer* GetShownTable() const { return shownTable; }
  const COptionWheel* GetWheel() const { return wheel; }
  COptionsLayer* GetArrows() const { return arrows; }

 private:
  // Puts table `index` (0..4) on screen in place of the one shown; any other
  // index only takes the shown one away.
  void ShowTable(int32_t index);
  void HideTable();
  void ShowFrontTable();
  void BuildTables();
  void StartLeaving();

  int32_t leaving = 0;
  int32_t shownIndex = -1;
  int32_t resultCode = 0;
  COptionsLayer* arrows = nullptr;  // owned through the layers
  COptionWheel* wheel = nullptr;    // owned through the layers
  HiscoreLayer* shownTable = nullptr;
  // One per game kind, read once when the screen starts. The table on screen
  // is owned by the layers meanwhile, so it is released from here.
  std::vector<std::unique_ptr<HiscoreLayer>> tables;
};
