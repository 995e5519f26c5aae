#include "app/StateFactory.h"

#include "app/GameLoop.h"

std::unique_ptr<CGameLoop> CreateGameState(const StateRequest& request) {
  switch (request.kind) {
    case StateKind::Title:
    case StateKind::Splash:
    case StateKind::EggGame:
    case StateKind::Hiscores:
      break;
  }
  return nullptr;
}
