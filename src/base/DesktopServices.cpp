#include "base/DesktopServices.h"

#include <SDL.h>

#include <cstdio>

#include "base/Texts.h"

namespace {
SdlDesktopServices sdlDesktop;
DesktopServices* installed = nullptr;
SDL_Window* messageOwner = nullptr;
}  // namespace

DesktopServices& Desktop() { return installed != nullptr ? *installed : sdlDesktop; }

void InstallDesktop(DesktopServices* services) { installed = services; }

void SetMessageOwner(SDL_Window* window) { messageOwner = window; }

SDL_Window* MessageOwner() { return messageOwner; }

void DesktopServices::ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
  SDL_Window* const owner = messageOwner;
  if (owner == nullptr) {
    ShowMessageOver(nullptr, caption, text, icon);
    return;
  }
  // Full screen hides the pointer and holds it in the game's window, where
  // it could neither be seen nor reach the box's button.
  const int cursor = SDL_ShowCursor(SDL_QUERY);
  const bool held = (SDL_GetWindowFlags(owner) & SDL_WINDOW_MOUSE_GRABBED) != 0;
  SDL_SetWindowGrab(owner, SDL_FALSE);
  SDL_ShowCursor(SDL_ENABLE);
  ShowMessageOver(owner, caption, text, icon);
  // The box may end the game and its window with it.
  if (messageOwner == owner) {
    SDL_SetWindowGrab(owner, held ? SDL_TRUE : SDL_FALSE);
  }
  SDL_ShowCursor(cursor);
}

void SdlDesktopServices::ShowMessageOver(SDL_Window* owner, const std::string& caption, const std::string& text,
                                         MessageIcon icon) {
  const Uint32 flags = icon == MessageIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_WARNING;
  // The message also goes to standard error: without a display the box cannot
  // appear, and a player starting from a terminal sees why the game ended.
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0) {
    SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), owner);
  }
}

void SdlDesktopServices::OpenUrl(const std::string& url) {
  if (SDL_OpenURL(url.c_str()) != 0) {
    std::fputs(FormatText(Translate("Could not open %s: %s\n"), {url, SDL_GetError()}).c_str(), stderr);
  }
}

void SdlDesktopServices::SetScreenSaverAllowed(bool allowed) {
  if (allowed) {
    SDL_EnableScreenSaver();
  } else {
    SDL_DisableScreenSaver();
  }
}

bool SdlDesktopServices::IsScreenSaverAllowed() const { return SDL_IsScreenSaverEnabled() == SDL_TRUE; }
