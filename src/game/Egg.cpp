#include "game/Egg.h"

#include <optional>

#include "base/Clock.h"

float eggSpeed = 1.0f;

namespace {

constexpr uint32_t kCellSize = 64;
constexpr uint32_t kColorKey = 0xFFFFFF;
constexpr uint32_t kTransparentWhite = 0x00FFFFFF;
constexpr uint32_t kAlphaStepIn = 0x10000000;
constexpr uint32_t kAlphaStepOut = 0x08000000;
constexpr uint32_t kFadedIn = 0xF0FFFFFF;   // from here the next step is full opacity
constexpr uint32_t kFadedOut = 0x0FFFFFFF;  // at or below this the egg is gone
constexpr uint32_t kRotationTickMs = 25;
constexpr uint32_t kFadeOutStepMs = 30;
constexpr float kGoldenFactor = 3.0f;

// Virtual 1024 x 768 units; scaled to viewport pixels by the first egg.
constexpr EggPath kSourcePaths[4] = {
    {-0.2f, 30, 100, 3, 0, 35, 100, 3.5f, 2.6f, 0, 15, 200, 220, 200, 700},
    {-0.2f, 30, 305, 3, 0, 35, 310, 3.5f, 2.6f, 0, 15, 200, 550, 200, 700},
    {0.2f, 915, 120, -3.5f, 0, 980, 120, -3.5f, 2.9f, 0, 15, 765, 270, 765, 700},
    {0.2f, 920, 375, -3.5f, 0, 910, 380, -3.5f, 2.5f, 0, 15, 765, 560, 765, 700},
};

// The table in viewport pixels, and the screen scale it was built for.
struct ScaledPaths {
  std::array<EggPath, 4> paths;
  float scaleX, scaleY;
};
std::optional<ScaledPaths> pathTable;

EggPath Scaled(const EggPath& p, float sx, float sy) {
  return EggPath{p.rotationStep,        p.startX * sx,          p.startY * sy,          p.firstVelocityX * sx,
                 p.firstVelocityY * sy, p.firstTurnX * sx,      p.firstTurnY * sy,      p.secondVelocityX * sx,
                 p.secondVelocityY * sy, p.thirdVelocityX * sx, p.thirdVelocityY * sy,  p.secondTurnX * sx,
                 p.secondTurnY * sy,    p.groundX * sx,         p.groundY * sy};
}

// Strictly beyond `turnX` in the direction of travel; a still egg never passes.
bool Passed(float velocityX, float positionX, float turnX) {
  return (velocityX > 0.0f && positionX > turnX) || (velocityX < 0.0f && positionX < turnX);
}

}  // namespace

CEgg::CEgg(int32_t chuteIndex, int32_t eggKind) : kind(eggKind), chute(chuteIndex & 3) {
  LoadPicture();
  SetFrameSize(kCellSize, kCellSize);
  // Built again when the window has changed size since.
  if (!pathTable || pathTable->scaleX != screenScaleX || pathTable->scaleY != screenScaleY) {
    pathTable.emplace(ScaledPaths{{}, screenScaleX, screenScaleY});
    for (int32_t i = 0; i < 4; ++i) {
      pathTable->paths[i] = Scaled(kSourcePaths[i], screenScaleX, screenScaleY);
    }
  }
  path = pathTable->paths[chute];
  const float factor = kind == kGolden ? kGoldenFactor * eggSpeed : eggSpeed;
  path.firstVelocityX *= factor;
  path.firstVelocityY *= factor;
  path.secondVelocityX *= factor;
  path.secondVelocityY *= factor;
  path.rotationStep *= factor;
  fadeStepMs = kind == kGolden ? kMinFadeStepMs : 40.0f - 3.0f * eggSpeed;
  if (fadeStepMs < kMinFadeStepMs) {
    fadeStepMs = kMinFadeStepMs;
  }
  const float pivot[2] = {32.0f * screenScaleX, 32.0f * screenScaleY};
  SetPivot(pivot);
  createdTick = TickCount();
  color = kTransparentWhite;
}

CEgg::~CEgg() = default;

void CEgg::LoadPicture() {
  if (kind == kGolden) {
    LoadSprite("./res/golden_egg_strip.png", kColorKey);
  } else if (kind == kSpoiled) {
    LoadSprite("./res/zbuk_strip.png", kColorKey);
  } else if (chute == kCyberChute) {
    LoadSprite("./res/cyberegg.png", kColorKey);
    alien = std::make_unique<CSpriteLayer>();
    alien->LoadSprite("./res/alien_strip.png", kColorKey);
    alien->SetFrameSize(kCellSize, kCellSize);
    alien->SetFrames({0, 1, 2, 3, 4, 5, 6});
    alien->SetVisible(0);
    return;
  } else {
    LoadSprite("./res/egg_strip.png", kColorKey);
  }
  SetFrames({0, 1, 2, 3, 4});
}

const std::array<EggPath, 4>* CEgg::PathTable() { return pathTable ? &pathTable->paths : nullptr; }

void CEgg::ResetPathTable() { pathTable.reset(); }

void CEgg::Start() {
  color = kTransparentWhite;
  const float start[2] = {path.startX, path.startY};
  SetPixelPosition(start);
  SetVelocity(0.0f, 0.0f);
  state = kFadingIn;
  SetRotation(path.rotationStep);
}

void CEgg::Update() {
  const uint32_t now = TickCount();
  switch (state) {
    case kFadingIn:
      FadeIn(now);
      break;
    case kOnLedge:
      Spin(now);
      if (Passed(path.firstVelocityX, positionX, path.firstTurnX)) {
        SetVelocity(path.secondVelocityX, path.secondVelocityY);
        state = kOnChute;
      }
      break;
    case kOnChute:
      Spin(now);
      if (Passed(path.secondVelocityX, positionX, path.secondTurnX)) {
        SetVelocity(path.thirdVelocityX, path.thirdVelocityY);
        state = kFalling;
      }
      break;
    case kFalling:
      Spin(now);
      if (positionY > path.groundY) {
        Land();
      }
      break;
    case kBreaking:
      FadeOut(now);
      break;
    default:
      break;
  }
  CSpriteLayer::Update();
}

void CEgg::ScaleViewportPixels(float fx, float fy) {
  // Positions and velocities change unit; the kind's speed-up and the spin stay.
  path = Scaled(path, fx, fy);
  if (alien) {
    alien->SetViewportSize(viewportWidth, viewportHeight);
  }
}

int32_t CEgg::Render(RenderDevice* device) {
  const int32_t drawn = CSpriteLayer::Render(device);
  if (alien && alien->IsVisible()) {
    alien->Render(device);
  }
  return drawn;
}

void CEgg::FadeIn(uint32_t now) {
  if (color >= kFadedIn) {
    color = 0xFFFFFFFF;
    SetVelocity(path.firstVelocityX, path.firstVelocityY);
    state = kOnLedge;
  } else if (float(now - createdTick) > fadeStepMs) {
    color += kAlphaStepIn;
    createdTick = now;
  }
}

void CEgg::Spin(uint32_t now) {
  if (now - createdTick > kRotationTickMs) {
    SetRotation(angle + path.rotationStep);
    createdTick = now;
  }
}

void CEgg::Land() {
  state = kBreaking;
  if (chute == kCyberChute && kind == kOrdinary && alien) {
    const float position[2] = {positionX, positionY};
    const float pivot[2] = {pivotX, pivotY};
    alien->SetPixelPosition(position);
    alien->SetPivot(pivot);
    alien->SetVisible(1);
    alien->StartAnimation();
  }
  StartAnimation();
  SetVelocity(0.0f, 0.0f);
}

void CEgg::FadeOut(uint32_t now) {
  if (color <= kFadedOut) {
    SetVelocity(0.0f, 0.0f);
    color = kTransparentWhite;
    state = kFinished;
  } else if (now - createdTick > kFadeOutStepMs) {
    color -= kAlphaStepOut;
    if (alien) {
      alien->SetColor(float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
                      float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f);
    }
    createdTick = now;
  }
  if (alien) {
    alien->Update();
  }
}

void CEgg::SetVelocity(float x, float y) {
  velocityX = x;
  velocityY = y;
}
