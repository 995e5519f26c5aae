#pragma once
#include <cstdint>
#include <memory>

#include "layers/AbstractLayer.h"
#include "layers/Text3D.h"
#include "menu/OptionState.h"
#include "menu/ProgressBar.h"
#include "motion/MotionRect.h"

// One menu option chosen by movement: a caption with a progress bar that
// fills while the player keeps moving over the option. Its owner (an options
// screen or a wheel) decides each frame whether the option is the one being
// touched (OptionSet.h) and then calls Update. All times are TickCount()
// milliseconds; frame thread only.
class COption : public CAbstractLayer {
 public:
  static constexpr float kDefaultDurationMs = 4000.0f;

  // Takes the caption; `rect` is the sensitive rectangle in virtual
  // 1024 x 768 units (wheel options pass zeros: the wheel's rectangle counts).
  // Colours are red, green, blue, alpha 0..1.
  COption(std::unique_ptr<C3DText> caption, const ScreenRect& rect, int32_t value, const float normal[4],
          const float highlight[4], int32_t selectable, int32_t showProgress);

  // Per frame, after the owner's evaluation: the bar, the drain, the spin unwind.
  void Update() override;
  // The caption, then the progress bar when it is shown. Returns 1.
  int32_t Render(RenderDevice* device) override;
  // Passed on to the progress bar.
  void SetViewportSize(uint32_t width, uint32_t height) override;

  // The owner's evaluation: this option is the one touched this frame.
  void EvaluateAsCandidate(uint32_t now);
  // The owner's evaluation: another option or none is touched; `motionPresent`
  // tells whether any movement hit the owner's rectangles at all.
  void EvaluateAsBystander(bool motionPresent, uint32_t now);

  void HideProgress();
  void SetDuration(float ms) { durationMs = ms; }
  // Milliseconds of progress the option holds now (0 when idle or chosen).
  int32_t GetProgressMs() const;

  OptionState GetState() const { return state; }
  int32_t GetValue() const { return value; }
  uint32_t GetActivatedTick() const { return activatedTick; }
  const ScreenRect& GetRect() const { return rect; }
  C3DText* GetCaption() const { return caption.get(); }
  const CProgressBar& GetProgressBar() const { return *progressBar; }
  float GetUnwindStep() const { return unwindStep; }

 private:
  void SetState(OptionState next);
  void Activate();
  void SetCaptionColor(const float color[4]);
  void PrepareUnwind();
  void UnwindStep();
  // Progress held in semideactivated: what was held at the release minus the
  // time since, 0 when negative or implausibly large.
  int32_t RemainingMs(uint32_t now) const;

  std::unique_ptr<C3DText> caption;
  std::unique_ptr<CProgressBar> progressBar;
  ScreenRect rect;
  OptionState state = OptionState::deactivated;
  int32_t value;
  uint32_t activatedTick = 0;
  uint32_t releaseTick = 0;
  float normalColor[4];
  float highlightColor[4];
  float unwindStep = 0.0f;
  int32_t elapsedAtRelease = 0;
  uint32_t awaitingSinceTick = 0;
  float durationMs = kDefaultDurationMs;
  int32_t showProgress;
  int32_t selectable;
};
