#include "app/StateFactory.h"

#include "game/EggGameLoop.h"
#include "screens/HiscoresLoop.h"
#include "screens/SplashScreenLoop.h"
#include "screens/TitleLoop.h"
#include "state/GameLoop.h"

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
