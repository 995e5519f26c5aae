#include "base/DesktopServices.h"

#include <SDL.h>

#include <cstdio>

#include "base/Texts.h"

namespace {
SdlDesktopServices sdlDesktop;
DesktopServices* installed = nullptr;
}  // namespace

DesktopServices& Desktop() { return installed != nullptr ? *installed : sdlDesktop; }

void InstallDesktop(DesktopServices* services) { installed = services; }

void SdlDesktopServices::ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
  const Uint32 flags = icon == MessageIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_WARNING;
  // The message also goes to standard error: without a display the box cannot
  // appear, and a player starting from a terminal sees why the game ended.
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0) {
    SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
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
