#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "layers/Text3D.h"
#include "layers/TextureLayer.h"
#include "scores/HiScoreEntry.h"

// One high-score table drawn as ten rows of 3D text (rank, name, score), with
// an optional title and background picture. With a row highlighted it is the
// name-entry field: OnKey takes the keys the player types, by virtual-key
// code. Frame thread only.
class HiscoreLayer : public CTextureLayer {
 public:
  static constexpr int32_t kRows = 10;
  static constexpr size_t kMaxNameLength = 8;

  // `title` and `backgroundFile` may be null. Missing rows show empty.
  HiscoreLayer(const char* title, const char* backgroundFile, const std::vector<HiScoreEntry>& entries);
  ~HiscoreLayer() override;

  void Update() override {}
  // Background (colour-blended), title, then each row: rank, name (when not
  // empty), score. Returns 1.
  int32_t Render(RenderDevice* device) override;

  // Shows these rows; the first ten count, missing rows are empty.
  void SetEntries(const std::vector<HiScoreEntry>& list);
  // Highlights row 0..9 and makes it the name-entry row; other values do nothing.
  void SetHighlight(int32_t row);
  // One typed key (a virtual-key code; -1 for none): letters and digits
  // append (lower case unless Shift is held), Backspace and Delete remove the
  // last character, Enter confirms a name that is not empty.
  void OnKey(int32_t key);
  int32_t IsEntryDone() const { return entryDone; }
  std::vector<HiScoreEntry> GetEntries() const { return entries; }
  int32_t GetHighlightRow() const { return highlightRow; }

  const C3DText& RankText(int32_t row) const { return *rankTexts.at(static_cast<size_t>(row)); }
  const C3DText& NameText(int32_t row) const { return *nameTexts.at(static_cast<size_t>(row)); }
  const C3DText& ScoreText(int32_t row) const { return *scoreTexts.at(static_cast<size_t>(row)); }

 private:
  int32_t entryDone = 0;
  std::vector<std::unique_ptr<C3DText>> nameTexts;
  std::vector<std::unique_ptr<C3DText>> rankTexts;
  std::vector<std::unique_ptr<C3DText>> scoreTexts;
  int32_t highlightRow = -1;
  std::vector<HiScoreEntry> entries;
  std::unique_ptr<C3DText> title;
  int32_t highlightOn = 0;
};
