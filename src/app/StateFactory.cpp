#include "app/StateFactory.h"

#include "app/GameLoop.h"
#include "app/SplashScreenLoop.h"
#include "app/TitleLoop.h"
#include "game/EggGameLoop.h"
#include "scores/HiscoresLoop.h"

std::unique_ptr<CGameLoop> CreateGameState(const StateRequest& request) {
  switch (request.kind) {
    case StateKind::Title:
      return std::make_unique<CTitleLoop>();
    case StateKind::Splash:
      return std::make_unique<CSplashScreenLoop>(request.picture, request.nextCode, request.interactive);
    case StateKind::EggGame:
      return std::make_unique<CEggGameLoop>();
    case StateKind::Hiscores:
      return std::make_unique<CHiscoresLoop>();
  }
  return nullptr;
}
