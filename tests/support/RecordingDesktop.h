#pragma once
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

  RecordingDesktop();
  ~RecordingDesktop() override;
  RecordingDesktop(const RecordingDesktop&) = delete;
  RecordingDesktop& operator=(const RecordingDesktop&) = delete;

  void OpenUrl(const std::string& url) override;
  void SetScreenSaverAllowed(bool allowed) override;
  bool IsScreenSaverAllowed() const override { return screenSaverAllowed; }

  std::vector<Message> messages;
  std::vector<std::string> urls;
  std::vector<bool> screenSaverCalls;  // every SetScreenSaverAllowed argument, in order
  bool screenSaverAllowed = true;

 protected:
  void ShowMessageOver(SDL_Window* owner, const std::string& caption, const std::string& text,
                       MessageIcon icon) override;
};
