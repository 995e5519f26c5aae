// The entry point: options, then the start-up order of the game, one step a
// line, and the shut-down in reverse.
#include <SDL.h>

#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "app/GameFolders.h"
#include "app/MyD3DApplication.h"
#include "base/Texts.h"
#include "capture/CaptureEngine.h"
#include "demo/DemoApplication.h"

namespace {

// Deletes the capture engine (which stops the camera) when the entry
// function leaves, before the application object goes.
struct CaptureEngineOwner {
  CaptureEngineOwner() { captureEngine = std::make_unique<CCaptureEngine>(); }
  ~CaptureEngineOwner() { captureEngine.reset(); }
  CaptureEngineOwner(const CaptureEngineOwner&) = delete;
  CaptureEngineOwner& operator=(const CaptureEngineOwner&) = delete;
};

int RunGame(const CommandLine& options) {
  // A run that was asked for frames, or for a camera or recording by name,
  // must not look successful without them.
  const int startFailed = options.frames > 0 || !options.camera.empty() ? 1 : 0;

  const std::unique_ptr<CMyD3DApplication> app = MakeApplication(options);  // the demo's for --demo, --fixed-step
  const CaptureEngineOwner engine;
  app->SetHomepage(options.homepage);
  app->SetFrameLimit(options.frames, options.screenshotFile);
  app->AllowOffscreen(!options.screenshotFile.empty() || options.frames > 0 || !options.demoOut.empty());
  if (options.demo) {
    app->SetCamera(CameraRequest{CDemoApplication::kCameraName, options.mode, false}, DemoCamera(*app));
  } else {
    app->SetCamera(CameraRequest{options.camera, options.mode, false});
  }
  if (Failed(app->Create())) {
    return 1;  // no window or drawing device: the message has said why
  }
  if (!options.windowed) {
    app->ToggleFullscreen();
  }
  if (app->IsQuitPosted() || app->InitGame() == E_FAIL) {
    return startFailed;
  }
  return app->Run();
}

}  // namespace

int main(int argc, char** argv) {
  StartTranslations(CatalogueFolder());
  CommandLine options = ParseCommandLine(argc, argv);
  if (!options.error.empty()) {
    std::fputs(FormatText(Translate("zestbox: %s\nTry 'zestbox --help' for the options.\n"), {options.error}).c_str(),
               stderr);
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
  if (!SettleGameFolders(options)) {
    return 1;  // no res/ folder to be found: the message has said why
  }
  const int exitCode = RunGame(options);
  SDL_Quit();
  return exitCode;
}
