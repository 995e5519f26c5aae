#include "game/Basket.h"

#include "base/Clock.h"
#include "motion/BasketMotionDetector.h"
#include "motion/CurrentMotionDetector.h"

namespace {

// Catching positions by zone, virtual units: one under the end of each chute.
constexpr float kZonePositions[4][2] = {{180, 300}, {180, 520}, {720, 310}, {720, 520}};
constexpr float kHome[2] = {448, 320};

int32_t QueryCurrentZone() {
  const auto* detector = dynamic_cast<const CBasketMotionDetector*>(CurrentMotionDetector());
  return detector != nullptr ? detector->QueryZone() : CBasketMotionDetector::kNoZone;
}

}  // namespace

CBasket::CBasket() {
  LoadSprite("./res/basket2.png", 0xFFFFFF);
  PlacePositions();
  SetPixelPosition(homePosition);
}

CBasket::~CBasket() = default;

void CBasket::PlacePositions() {
  homePosition[0] = kHome[0] * screenScaleX;
  homePosition[1] = kHome[1] * screenScaleY;
  for (int32_t zone = 0; zone < 4; ++zone) {
    zonePositions[zone][0] = kZonePositions[zone][0] * screenScaleX;
    zonePositions[zone][1] = kZonePositions[zone][1] * screenScaleY;
  }
}

void CBasket::ScaleViewportPixels(float, float) { PlacePositions(); }

void CBasket::Update() {
  const uint32_t now = TickCount();
  if (now - createdTick <= kPollIntervalMs) {
    return;
  }
  currentZone = QueryCurrentZone();
  const float* target = currentZone >= 0 && currentZone < 4 ? zonePositions[currentZone] : homePosition;
  createdTick = now;
  // A pause of a poll or two in the movement does not send the basket home.
  if (target[0] == homePosition[0] && target[1] == homePosition[1] && stillPolls < kStillPollLimit) {
    ++stillPolls;
    return;
  }
  SetPixelPosition(target);
  stillPolls = 0;
}
