#pragma once
#include <functional>
#include <memory>

#include "state/StateSwitch.h"

class CGameLoop;

// Builds a game state (not yet started) for a request; null when it cannot.
// The application calls the factory it was given; tests give their own.
using StateFactory = std::function<std::unique_ptr<CGameLoop>(const StateRequest& request)>;

// The game's own states. A kind whose state class the program does not have
// yields null, and the application then runs with no current state (black
// frames, Escape ignored).
std::unique_ptr<CGameLoop> CreateGameState(const StateRequest& request);
