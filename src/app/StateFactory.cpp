#include "app/StateFactory.h"

#include "app/GameLoop.h"
#include "scores/HiscoresLoop.h"

std::unique_ptr<CGameLoop> CreateGameState(const StateRequest& request) {
  switch (request.kind) {
    case StateKind::Title:
    case StateKind::Splash:
    case StateKind::EggGame:
      break;
    case StateKind::Hiscores:
      return std::make_unique<CHiscoresLoop>();
  }
  return nullptr;
}
