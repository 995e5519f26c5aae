// The entry point: options, then the start-up order of the game, one step a
// line, and the shut-down in reverse.
#include <SDL.h>

#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "app/MyD3DApplication.h"

int main(int argc, char** argv) {
  const CommandLine options = ParseCommandLine(argc, argv);
  if (!options.error.empty()) {
    std::fprintf(stderr, "zestbox: %s\nTry 'zestbox --help' for the options.\n", options.error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("zestbox %s\n", ZESTBOX_VERSION);
    return 0;
  }
  // A run that was asked for frames must not look successful without them.
  const int startFailed = options.frames > 0 ? 1 : 0;

  auto app = std::make_unique<CMyD3DApplication>();
  app->SetHomepage(options.homepage);
  app->SetFrameLimit(options.frames, options.screenshotFile);
  if (Failed(app->Create())) {
    return startFailed;
  }
  if (!options.windowed) {
    app->ToggleFullscreen();
  }
  if (app->IsQuitPosted() || app->InitGame() == E_FAIL) {
    return startFailed;
  }
  const int exitCode = app->Run();
  app.reset();
  SDL_Quit();
  return exitCode;
}
