#pragma once
#include <cstdint>

#include "state/GameLoop.h"
#include "base/Clock.h"
#include "game/EggGameLoop.h"
#include "render/RenderDevice.h"

// Drives a started state as the application's frame cycle does, on the manual
// clock: every pass is 40 ms, updates the layers and the state and, every
// `renderEvery` passes, draws a frame on `d3dDevice`.
struct StatePlay {
  static constexpr uint32_t kFrameMs = 40;

  // Passes until the state has finished or `limit` passes are done; returns
  // whether it finished.
  static bool UntilFinished(CGameLoop& state, int limit, int renderEvery = 1) {
    for (int pass = 0; pass < limit; ++pass) {
      if (state.IsFinished() != 0) return true;
      Pass(state, pass % renderEvery == 0);
    }
    return state.IsFinished() != 0;
  }
  // A few seconds of play, then the player leaves (unless the state has
  // already gone); true when the state then finishes within `limit` passes.
  static bool PlayAndLeave(CGameLoop& state, int passes, int limit) {
    Passes(state, passes);
    if (state.IsFinished() == 0 && !state.IsFadingOut()) state.Leave();
    return UntilFinished(state, limit);
  }
  // An egg game that nobody plays: eggs roll, drop and cost every try. True
  // when the game is over within `limit` passes and then leaves.
  static bool EggGameToItsEnd(CGameLoop& state, int limit, int renderEvery) {
    const auto* game = dynamic_cast<const CEggGameLoop*>(&state);
    if (game == nullptr) return false;
    for (int pass = 0; pass < limit && game->GetPhase() < CEggGameLoop::kGameOver; ++pass) {
      Pass(state, pass % renderEvery == 0);
    }
    if (game->GetPhase() < CEggGameLoop::kGameOver || game->GetTries() != 0) return false;
    return PlayAndLeave(state, 100, 200);
  }
  static void Passes(CGameLoop& state, int count) {
    for (int pass = 0; pass < count; ++pass) Pass(state, true);
  }
  static void Pass(CGameLoop& state, bool render) {
    AdvanceManualTickCount(kFrameMs);
    state.UpdateLayers();
    state.Update();
    if (render && d3dDevice->BeginScene()) {
      d3dDevice->Clear(0xFF000000u, 1.0f);
      state.RenderLayers();
      d3dDevice->EndScene();
    }
  }
};
