#pragma once
#include <string>

// What the game asks of the desktop around it. One process-wide instance,
// reached through Desktop(); the SDL one is installed by default, tests
// install a recording one so that no real message box is ever shown.
// Main thread only.
enum class MessageIcon { Error, Warning };

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;
  // Shows a modal message. Without a display the text goes to standard error.
  virtual void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
  // Asks the desktop to open an address in the user's browser; does not wait.
  virtual void OpenUrl(const std::string& url) = 0;
  // Keeps the screen saver and display power-down off (false) or lets them run (true).
  virtual void SetScreenSaverAllowed(bool allowed) = 0;
  virtual bool IsScreenSaverAllowed() const = 0;
};

// The installed services; never null.
DesktopServices& Desktop();
// Installs other services (tests); null puts the SDL services back. The caller
// keeps ownership and must uninstall before destroying them.
void InstallDesktop(DesktopServices* services);

// The real services on SDL.
class SdlDesktopServices : public DesktopServices {
 public:
  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
  void OpenUrl(const std::string& url) override;
  void SetScreenSaverAllowed(bool allowed) override;
  bool IsScreenSaverAllowed() const override;
};
