#pragma once

struct SDL_Window;

// The size of `window`'s drawing surface in pixels, as the window system has
// it. Where nothing applies a full-screen request (an X server without a
// window manager), SDL reports the size it asked for while the window keeps
// its own: ask the X server. Elsewhere SDL's drawable size is the window's.
// Main thread.
void GetWindowPixelSize(SDL_Window* window, int& width, int& height);
