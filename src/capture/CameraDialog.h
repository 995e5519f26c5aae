#pragma once

struct SDL_Window;
class CCameraChoice;

// The camera dialog drawn with Dear ImGui in the game window, over a black
// frame, until the player closes it: OK (also Enter) or Cancel (also Escape
// or closing the window). The lists and buttons forward the player's actions
// to `choice`, already opened. Works by mouse or by keyboard alone: Tab,
// Shift+Tab and the arrows move between the lists and the buttons, Space or
// Enter opens a list, picks from it or presses a button. Needs the window's
// GL context current and `d3dDevice` drawing into it. Main thread; returns
// true for OK.
bool RunCameraDialog(SDL_Window* window, CCameraChoice& choice);
