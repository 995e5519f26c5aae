#include "demo/VirtualPlayer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "motion/BasketMotionDetector.h"

namespace {

constexpr int32_t kNoZone = CBasketMotionDetector::kNoZone;
constexpr int32_t kBackValue = 5;  // "Back" on the high-score screen
constexpr uint32_t kReadTableMs = 2500;
constexpr float kScreenWidth = 1024.0f;
constexpr float kScreenHeight = 768.0f;

// A spot of the screen as a point of the camera picture: the screen shows
// the picture mirrored left to right.
PicturePoint ToPicture(float x, float y) { return PicturePoint{1.0f - x / kScreenWidth, y / kScreenHeight}; }

// The order in which the basket detector tests the zones.
constexpr int32_t kZoneOrder[] = {CBasketMotionDetector::kTopLeft, CBasketMotionDetector::kTopRight,
                                  CBasketMotionDetector::kBottomLeft, CBasketMotionDetector::kBottomRight};

// The hand's radius on screen (a 4:3 camera picture fills the 4:3 screen).
constexpr float kHandRadius = CPersonScene::kHandRadius * kScreenHeight;

// Whether a hand centred at (x, y) reaches into `rect`.
bool Touches(const ScreenRect& rect, float x, float y) {
  const float dx = std::max({static_cast<float>(rect.left) - x, 0.0f, x - static_cast<float>(rect.right)});
  const float dy = std::max({static_cast<float>(rect.top) - y, 0.0f, y - static_cast<float>(rect.bottom)});
  return dx * dx + dy * dy <= kHandRadius * kHandRadius;
}

}  // namespace

CVirtualPlayer::CVirtualPlayer(const DemoPlan& plan, uint32_t seed, std::shared_ptr<CPersonMotion> motion,
                               KeyTyper typeKey)
    : plan(plan), dice(seed), motion(std::move(motion)), typeKey(std::move(typeKey)) {}

ScreenRect CVirtualPlayer::ZoneSpot(int32_t zone) {
  // Well inside each quarter, so a waving hand stays in it.
  const bool right = zone >= 2;
  const bool bottom = (zone & 1) != 0;
  const int32_t x = right ? 830 : 200;
  const int32_t y = bottom ? 600 : 170;
  return ScreenRect{x - 1, y - 1, x + 1, y + 1};
}

CVirtualPlayer::Target CVirtualPlayer::WaveAt(const ScreenRect& rect) {
  Target target;
  target.still = false;
  target.x = static_cast<float>(rect.left + rect.right) * 0.5f;
  target.y = static_cast<float>(rect.top + rect.bottom) * 0.5f;
  return target;
}

uint32_t CVirtualPlayer::ReactionMs() { return 250 + dice() % 200; }

void CVirtualPlayer::Step(const ScreenView& view, uint32_t now) {
  Notice(view, now);
  basketZone = view.game.basketZone;
  if (view.kind == StateKind::EggGame && view.game.nameEntry) {
    TypeName(now);
  } else {
    typing = false;
  }
  const Target desired = Want(view, now);
  if (desired == current) {
    hasPending = false;
  } else if (!hasPending || !(desired == pending)) {
    pending = desired;
    pendingAt = now + ReactionMs();
    hasPending = true;
  }
  if (hasPending && static_cast<int32_t>(now - pendingAt) >= 0) {
    Reach(pending, now);
    current = pending;
    hasPending = false;
  }
}

void CVirtualPlayer::Notice(const ScreenView& view, uint32_t now) {
  if (view.kind != lastKind) {
    screenSince = now;
    if (lastKind == StateKind::Title) ++titleVisits;
    if (view.kind) record.screens.push_back(*view.kind);
    if (view.kind != StateKind::EggGame) inGame = false;
    lastKind = view.kind;
  }
  if (view.kind == StateKind::EggGame) CountGame(view.game);
}

void CVirtualPlayer::CountGame(const GameView& game) {
  if (!inGame || game.score < lastGame.score) {
    ++record.gamesStarted;
  } else {
    const int32_t gained = game.score - lastGame.score;
    record.eggsCaught += gained / 100 + gained % 100 / 10;  // a golden egg gives 100, the others 10
    record.eggsDropped += std::max(0, lastGame.tries - game.tries);
  }
  inGame = true;
  lastGame = game;
  record.score = game.score;
  record.level = game.level;
  record.tries = game.tries;
  record.bestLevel = std::max(record.bestLevel, game.level);
}

CVirtualPlayer::Target CVirtualPlayer::Want(const ScreenView& view, uint32_t now) {
  if (view.leaving || !view.kind) return Target{};
  switch (*view.kind) {
    case StateKind::Title: {
      const size_t visit = std::min(titleVisits, plan.titleChoices.size() - 1);
      return WantOnMenu(view.menu, plan.titleChoices[visit]);
    }
    case StateKind::Hiscores:
      if (now - screenSince < kReadTableMs) return Target{};
      return WantOnMenu(view.menu, kBackValue);
    case StateKind::Splash:
      return WaveAt(view.play);
    case StateKind::EggGame:
      return WantInGame(view.game);
  }
  return Target{};
}

CVirtualPlayer::Target CVirtualPlayer::WantOnMenu(const MenuView& menu, int32_t wanted) const {
  // While the wheel turns the player keeps still and watches where it stops.
  if (menu.turning) return Target{};
  return WaveAt(menu.frontValue == wanted ? menu.wheel : menu.turnArrow);
}

CVirtualPlayer::Target CVirtualPlayer::WantInGame(const GameView& game) {
  if (game.question) return WaveAt(plan.playAgain ? game.yes : game.no);
  if (game.gameOver || game.nameEntry) return Target{};
  if (game.nextChute < 0) return current;
  if (game.nextEgg != watchedEgg || game.nextChute != watchedChute) {
    watchedEgg = game.nextEgg;
    watchedChute = game.nextChute;
    const bool tired = plan.tiredFromLevel > 0 && game.level >= plan.tiredFromLevel;
    const bool miss = tired || static_cast<int32_t>(dice() % 100) < plan.missPercent;
    chosenZone = miss ? static_cast<int32_t>((game.nextChute + 1 + dice() % 3) % 4) : game.nextChute;
  }
  Target target = WaveAt(ZoneSpot(chosenZone));
  target.zone = chosenZone;
  return target;
}

void CVirtualPlayer::TypeName(uint32_t now) {
  if (!typing) {
    typing = true;
    typed = 0;
    nextKeyTick = now + 500 + ReactionMs();  // a moment to read the table first
  }
  if (typed > plan.name.size() || static_cast<int32_t>(now - nextKeyTick) < 0) return;
  if (typed < plan.name.size()) {
    typeKey(plan.name[typed]);
  } else {
    typeKey('\r');
    record.nameTyped = plan.name;
  }
  ++typed;
  nextKeyTick = now + 150 + dice() % 100;
}

void CVirtualPlayer::TimeZoneEntry(int32_t hand, int32_t zone, uint32_t now) {
  const CBasketMotionDetector layout;
  for (uint32_t t = now; static_cast<int32_t>(t - motion->ArrivalTick(hand)) <= 0; ++t) {
    const PicturePoint at = motion->PoseAt(t).hands[hand];
    const float x = (1.0f - at.x) * kScreenWidth;
    const float y = at.y * kScreenHeight;
    bool inEarlierZone = false;
    for (const int32_t earlier : kZoneOrder) {
      if (earlier == zone) break;
      inEarlierZone = inEarlierZone || Touches(layout.ZoneRect(earlier), x, y);
    }
    if (!inEarlierZone && Touches(layout.ZoneRect(zone), x, y)) {
      zoneMove = ZoneMove{zone, basketZone, t, zoneMove.serial + 1};
      return;
    }
  }
}

void CVirtualPlayer::Reach(const Target& target, uint32_t now) {
  if (target.still) {
    for (int32_t hand = 0; hand < CPersonMotion::kHands; ++hand) motion->HoldHand(hand, now);
    return;
  }
  // The hand on the side of the spot reaches for it; the other keeps still.
  const int32_t hand = target.x < kScreenWidth * 0.5f ? 1 : 0;
  motion->HoldHand(1 - hand, now);
  const PicturePoint spot = ToPicture(target.x, target.y);
  const PicturePoint from = motion->PoseAt(now).hands[hand];
  const float distance = std::hypot(spot.x - from.x, spot.y - from.y);
  motion->MoveHand(hand, spot, now, 120 + static_cast<uint32_t>(250.0f * distance));
  if (target.zone != kNoZone) TimeZoneEntry(hand, target.zone, now);
}
