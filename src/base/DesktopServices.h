#pragma once
#include <string>

struct SDL_Window;

// What the game asks of the desktop around it. One process-wide instance,
// reached through Desktop(); the SDL one is installed by default, tests
// install a recording one so that no real message box is ever shown.
// Main thread only.
enum class MessageIcon { Error, Warning };

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;
  // Shows a modal message over MessageOwner(). While it is up the owner's
  // pointer is free (shown, not held in the window: the box may lie outside
  // it); afterwards the pointer is as it was. Without a display the text goes
  // to standard error.
  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon);
  // Asks the desktop to open an address in the user's browser; does not wait.
  virtual void OpenUrl(const std::string& url) = 0;
  // Keeps the screen saver and display power-down off (false) or lets them run (true).
  virtual void SetScreenSaverAllowed(bool allowed) = 0;
  virtual bool IsScreenSaverAllowed() const = 0;

 protected:
  // The message itself, in front of `owner` (null: no window to belong to).
  virtual void ShowMessageOver(SDL_Window* owner, const std::string& caption, const std::string& text,
                               MessageIcon icon) = 0;
};

// The installed services; never null.
DesktopServices& Desktop();
// Installs other services (tests); null puts the SDL services back. The caller
// keeps ownership and must uninstall before destroying them.
void InstallDesktop(DesktopServices* services);

// The window message boxes belong to: the game's window while it exists (the
// camera dialog is drawn in it too), else null. Set by whoever makes and
// destroys that window.
void SetMessageOwner(SDL_Window* window);
SDL_Window* MessageOwner();

// The real services on SDL.
class SdlDesktopServices : public DesktopServices {
 public:
  void OpenUrl(const std::string& url) override;
  void SetScreenSaverAllowed(bool allowed) override;
  bool IsScreenSaverAllowed() const override;

 protected:
  void ShowMessageOver(SDL_Window* owner, const std::string& caption, const std::string& text,
                       MessageIcon icon) override;
};
