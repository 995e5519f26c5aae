#include "demo/DemoDesktop.h"

#include <SDL.h>

#include <cstdio>

#include "base/Texts.h"

namespace {

bool Headless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver == nullptr || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
}

}  // namespace

CDemoDesktop::CDemoDesktop() { InstallDesktop(this); }

CDemoDesktop::~CDemoDesktop() { InstallDesktop(nullptr); }

void CDemoDesktop::OpenUrl(const std::string& url) {
  openedUrl = url;
  std::fputs(FormatText(Translate("The maker's page: %s\n"), {url}).c_str(), stdout);
  std::fflush(stdout);
  if (!Headless()) SdlDesktopServices::OpenUrl(url);
}
