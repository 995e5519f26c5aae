#include "RecordingDesktop.h"

#include <SDL.h>

RecordingDesktop::RecordingDesktop() { InstallDesktop(this); }

RecordingDesktop::~RecordingDesktop() { InstallDesktop(nullptr); }

void RecordingDesktop::ShowMessageOver(SDL_Window* owner, const std::string& caption, const std::string& text,
                                       MessageIcon icon) {
  const bool free = owner == nullptr || (SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE &&
                                         (SDL_GetWindowFlags(owner) & SDL_WINDOW_MOUSE_GRABBED) == 0);
  messages.push_back({caption, text, icon, owner, free});
}

void RecordingDesktop::OpenUrl(const std::string& url) { urls.push_back(url); }

void RecordingDesktop::SetScreenSaverAllowed(bool allowed) {
  screenSaverCalls.push_back(allowed);
  screenSaverAllowed = allowed;
}
