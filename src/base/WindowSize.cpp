#include "base/WindowSize.h"

#include <SDL.h>
#include <SDL_syswm.h>

// After SDL: Xlib's macros clash with names in other headers.
#include <X11/Xlib.h>

void GetWindowPixelSize(SDL_Window* window, int& width, int& height) {
  const char* driver = SDL_GetCurrentVideoDriver();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (driver != nullptr && SDL_strcmp(driver, "x11") == 0 && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE &&
      info.subsystem == SDL_SYSWM_X11) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    if (XGetGeometry(info.info.x11.display, info.info.x11.window, &root, &x, &y, &w, &h, &border, &depth) != 0) {
      width = static_cast<int>(w);
      height = static_cast<int>(h);
      return;
    }
  }
  SDL_GL_GetDrawableSize(window, &width, &height);
}
