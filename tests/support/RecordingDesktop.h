#pragma once
#include <SDL.h>

#include <string>
#include <vector>

#include "base/DesktopServices.h"

// Desktop services that show nothing and record every request. Installs
// itself as the process-wide services on construction and puts the SDL ones
// back on destruction, so a test never shows a real message box.
class RecordingDesktop : public DesktopServices {
 public:
  struct Message {
    std::string caption;
    std::string text;
    MessageIcon icon;
    SDL_Window* owner;
    // The pointer was shown and not held in the owner while the box was up.
    bool pointerFree;
  };

  RecordingDesktop() { InstallDesktop(this); }
  ~RecordingDesktop() override { InstallDesktop(nullptr); }
  RecordingDesktop(const RecordingDesktop&) = delete;
  RecordingDesktop& operator=(const RecordingDesktop&) = delete;

  void OpenUrl(const std::string& url) override { urls.push_back(url); }
  void SetScreenSaverAllowed(bool allowed) override { screenSaverAllowed = allowed; }
  bool IsScreenSaverAllowed() const override { return screenSaverAllowed; }

  std::vector<Message> messages;
  std::vector<std::string> urls;
  bool screenSaverAllowed = true;

 protected:
  void ShowMessageOver(SDL_Window* owner, const std::string& caption, const std::string& text,
                       MessageIcon icon) override {
    const bool free = owner == nullptr || (SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE &&
                                           (SDL_GetWindowFlags(owner) & SDL_WINDOW_MOUSE_GRABBED) == 0);
    messages.push_back({caption, text, icon, owner, free});
  }
};
