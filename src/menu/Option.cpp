#include "menu/Option.h"

#include <algorithm>
#include <cmath>

#include "base/Clock.h"
#include "base/Debug.h"

namespace {
constexpr float kActiveSpinSpeed = 0.2f;   // radians per frame while held
constexpr float kRunawaySpinSpeed = 3.28f;
constexpr uint32_t kGraceMs = 200;          // a release this short keeps the progress
constexpr int32_t kRemainingClampMs = 6000;
constexpr float kBarHalfWidth = 128.0f;
constexpr float kBarBelowCaption = 90.0f;
}  // namespace

const char* OptionStateTrace(OptionState state) {
  switch (state) {
    case OptionState::deactivated:
      return "State - deactivated\r\n";
    case OptionState::semideactivated:
      return "State - semideactivated\r\n";
    case OptionState::awaitingdeactivation:
      return "State - awaitingdeactivation\r\n";
    case OptionState::activated:
      return "State - activated\r\n";
    case OptionState::chosen:
      return "State - chosen\r\n";
  }
  return "";
}

COption::COption(std::unique_ptr<C3DText> captionText, const ScreenRect& sensitive, int32_t optionValue,
                 const float normal[4], const float highlight[4], int32_t isSelectable, int32_t withProgress)
    : caption(std::move(captionText)),
      progressBar(std::make_unique<CProgressBar>("./res/progress.tga", 0, "./res/emptyprogress.tga", 0)),
      rect(sensitive),
      value(optionValue),
      showProgress(withProgress),
      selectable(isSelectable) {
  std::copy(normal, normal + 4, normalColor);
  std::copy(highlight, highlight + 4, highlightColor);
}

void COption::SetState(OptionState next) {
  state = next;
  DebugOutput(OptionStateTrace(next));
}

void COption::SetCaptionColor(const float color[4]) {
  caption->SetColor(color[0], color[1], color[2], color[3]);
}

int32_t COption::RemainingMs(uint32_t now) const {
  const int32_t remaining = elapsedAtRelease - static_cast<int32_t>(now - releaseTick);
  return (remaining > kRemainingClampMs || remaining < 0) ? 0 : remaining;
}

int32_t COption::GetProgressMs() const {
  const uint32_t now = TickCount();
  switch (state) {
    case OptionState::activated:
    case OptionState::awaitingdeactivation:
      return static_cast<int32_t>(now - activatedTick);
    case OptionState::semideactivated:
      return RemainingMs(now);
    default:
      return 0;
  }
}

void COption::HideProgress() {
  progressBar->SetVisible(0);
  progressBar->SetValue(0.0f);
}

void COption::Activate() {
  SetState(OptionState::activated);
  caption->SetSpinSpeed(kActiveSpinSpeed);
  SetCaptionColor(highlightColor);
  float x = 0.0f, y = 0.0f;
  caption->GetPosition(x, y);
  progressBar->SetPosition(x + static_cast<float>(caption->GetHalfWidth()) - kBarHalfWidth, y + kBarBelowCaption);
  progressBar->SetVisible(1);
  unwindStep = 0.0f;
}

void COption::EvaluateAsCandidate(uint32_t now) {
  switch (state) {
    case OptionState::deactivated:
      activatedTick = now;
      Activate();
      break;
    case OptionState::semideactivated:
    case OptionState::awaitingdeactivation:
      // The held progress resumes where it stood.
      activatedTick = now - static_cast<uint32_t>(GetProgressMs());
      Activate();
      break;
    case OptionState::activated:
    case OptionState::chosen:
      if (static_cast<float>(now - activatedTick) > durationMs && selectable != 0 &&
          state != OptionState::chosen) {
        SetState(OptionState::chosen);
      }
      unwindStep = 0.0f;
      break;
  }
}

void COption::EvaluateAsBystander(bool motionPresent, uint32_t now) {
  if (!motionPresent) {
    if (state == OptionState::activated) {
      SetState(OptionState::awaitingdeactivation);
      awaitingSinceTick = now;
    }
    return;
  }
  if (state == OptionState::activated || state == OptionState::awaitingdeactivation ||
      state == OptionState::semideactivated) {
    SetState(OptionState::deactivated);
    HideProgress();
    SetCaptionColor(normalColor);
    PrepareUnwind();
  }
}

// Slows the caption's spin linearly so that it completes its current turn
// and comes to rest upright.
void COption::PrepareUnwind() {
  const float speed = caption->GetSpinSpeed();
  if (speed == 0.0f) {
    return;
  }
  const int32_t steps = static_cast<int32_t>((kTwoPi - caption->GetAngle()) / speed);
  // With less than one step of the turn left, a step larger than the speed
  // stops the caption upright at once.
  unwindStep = steps > 0 ? speed / (2.0f * static_cast<float>(steps)) : 2.0f * speed;
}

void COption::UnwindStep() {
  const float speed = caption->GetSpinSpeed();
  if (unwindStep == 0.0f || speed == 0.0f) {
    return;
  }
  float next = speed - unwindStep;
  if (next < 0.0f || next > kRunawaySpinSpeed) {
    next = 0.0f;
    caption->SetAngle(0.0f);
    caption->SetSpinSpeed(0.0f);
    caption->Rebuild();  // speed 0: the caption stands upright
  }
  caption->SetSpinSpeed(next);
  if (next == 0.0f) {
    unwindStep = 0.0f;
  }
}

void COption::Update() {
  const uint32_t now = TickCount();
  switch (state) {
    case OptionState::activated: {
      const float p = static_cast<float>(now - activatedTick) / durationMs;
      progressBar->SetValue(p < 1.0f ? p : 1.0f);
      break;
    }
    case OptionState::awaitingdeactivation:
      if (now - awaitingSinceTick <= kGraceMs) {
        progressBar->SetValue(std::min(1.0f, static_cast<float>(now - activatedTick) / durationMs));
      } else {
        SetState(OptionState::semideactivated);
        SetCaptionColor(normalColor);
        PrepareUnwind();
        releaseTick = now;
        elapsedAtRelease = static_cast<int32_t>(now - activatedTick);
      }
      break;
    case OptionState::semideactivated: {
      const int32_t remaining = RemainingMs(now);
      progressBar->SetValue(std::min(1.0f, static_cast<float>(remaining) / durationMs));
      UnwindStep();
      if (remaining <= 0) {
        HideProgress();
      }
      break;
    }
    case OptionState::deactivated:
      UnwindStep();
      HideProgress();
      break;
    case OptionState::chosen:
      break;
  }
  caption->Update();
}

void COption::SetViewportSize(uint32_t width, uint32_t height) { progressBar->SetViewportSize(width, height); }

int32_t COption::Render(RenderDevice* device) {
  caption->Render(device);
  if (showProgress != 0) {
    progressBar->Render(device);
  }
  return 1;
}
