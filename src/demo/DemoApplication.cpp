#include "demo/DemoApplication.h"

#include <SDL.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "app/CommandLine.h"
#include "app/StateFactory.h"
#include "base/Clock.h"
#include "base/Texts.h"
#include "capture/CaptureEngine.h"
#include "demo/PersonCamera.h"
#include "game/EggGameLoop.h"
#include "render/PngWriter.h"
#include "state/GameLoop.h"

namespace {

// The manual clock starts here, far from the wrap.
constexpr uint32_t kFixedClockStart = 100000;
// How long a lockstep pass waits for the detector before it counts the
// frames as lost.
constexpr auto kDetectorWait = std::chrono::seconds(1);
constexpr int32_t kMostShots = 8;         // besides the name entry
constexpr uint32_t kShotDelayMs = 1500;    // after a screen comes up
constexpr uint32_t kGameShotEveryMs = 8000;
constexpr int32_t kNestfallValue = 0;      // the high-score wheel's front member with the table

// When the process started, on the steady clock: its start time since boot
// from /proc, moved over to the steady clock by the time since boot now.
std::chrono::steady_clock::time_point ProcessStart() {
  const auto now = std::chrono::steady_clock::now();
  std::ifstream file("/proc/self/stat");
  std::string text;
  timespec boot{};
  if (!std::getline(file, text) || clock_gettime(CLOCK_BOOTTIME, &boot) != 0) return now;
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int index = 3; fields >> field; ++index) {
    if (index == 22) {
      const double startedSeconds = static_cast<double>(std::stoull(field)) / static_cast<double>(sysconf(_SC_CLK_TCK));
      const double bootSeconds = static_cast<double>(boot.tv_sec) + static_cast<double>(boot.tv_nsec) * 1e-9;
      return now - std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                       std::chrono::duration<double>(bootSeconds - startedSeconds));
    }
  }
  return now;
}

// The egg game's dice get `seed`, so that the same run gives the same game.
StateFactory SeededFactory(uint32_t seed) {
  return [seed](const StateRequest& request) {
    std::unique_ptr<CGameLoop> state = CreateGameState(request);
    if (auto* game = dynamic_cast<CEggGameLoop*>(state.get())) game->SeedRandom(seed);
    return state;
  };
}

}  // namespace

CDemoApplication::CDemoApplication(const DemoSettings& settings)
    : settings(settings), observer(*this), stats(ProcessStart()) {
  if (settings.fixedStepMs > 0) InstallManualClock(kFixedClockStart);
  if (settings.seeded || settings.fixedStepMs > 0) SetStateFactory(SeededFactory(settings.seed));
  if (settings.player) {
    motion = std::make_shared<CPersonMotion>();
    camera = std::make_shared<CPersonCamera>(motion, settings.fixedStepMs > 0);
    player = std::make_unique<CVirtualPlayer>(settings.plan, settings.seed, motion, [this](char key) { TypeKey(key); });
  }
}

CDemoApplication::~CDemoApplication() {
  const std::string summary = Summary();
  if (settings.outDir.empty()) {
    std::fputs(summary.c_str(), stdout);
  } else {
    const std::string path = settings.outDir + "/summary.txt";
    std::ofstream file(path);
    if (!(file << summary)) std::fputs(FormatText(Translate("Could not write the summary %s\n"), {path}).c_str(), stderr);
  }
  if (settings.fixedStepMs > 0) RemoveManualClock();
}

ExtraCamera CDemoApplication::Camera() const { return ExtraCamera{kCameraName, camera}; }

uint32_t CDemoApplication::IdleWaitMilliseconds() const {
  return settings.fixedStepMs > 0 ? 0 : CMyD3DApplication::IdleWaitMilliseconds();
}

Result CDemoApplication::FrameStep() {
  if (settings.fixedStepMs > 0) {
    AdvanceManualTickCount(settings.fixedStepMs);
    SyncCamera(TickCount());
  }
  if (player) player->Step(observer.Look(), TickCount());
  const uint32_t framesBefore = FramesPresented();
  const auto passStart = std::chrono::steady_clock::now();
  const Result result = CMyD3DApplication::FrameStep();
  if (FramesPresented() != framesBefore) {
    stats.FramePresented(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - passStart).count());
    AfterFrame(observer.Look(), TickCount());
  }
  return result;
}

void CDemoApplication::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_QUIT) closedFromOutside = true;
  CMyD3DApplication::HandleEvent(event);
}

Result CDemoApplication::DrawScene() {
  stats.BeginDrawing();
  const Result result = CMyD3DApplication::DrawScene();
  stats.EndDrawing();
  return result;
}

void CDemoApplication::SyncCamera(uint32_t now) {
  if (!camera || !captureEngine || !captureEngine->GetImageCapture()) return;
  camera->PushDueFrames(now);
  const CImageCapture& capture = *captureEngine->GetImageCapture();
  const uint64_t wanted = detectorBase + (camera->FramesPushed() - pushedBase);
  const auto giveUp = std::chrono::steady_clock::now() + kDetectorWait;
  while (capture.GetDetectorFrameCount() < wanted) {
    if (std::chrono::steady_clock::now() > giveUp) {
      // Frames the pipeline dropped (or held back while it started): count
      // from here on.
      detectorBase = capture.GetDetectorFrameCount();
      pushedBase = camera->FramesPushed();
      return;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
}

void CDemoApplication::TypeKey(char key) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = static_cast<SDL_Keycode>(key);  // letters, digits and Enter are their own codes
  event.key.keysym.mod = KMOD_NONE;
  SDL_PushEvent(&event);
}

void CDemoApplication::AfterFrame(const ScreenView& view, uint32_t now) {
  if (FramesPresented() == 1) firstFrameTick = now;
  stats.NoteGameTime(now - firstFrameTick);
  MeasureLatency(view, now);
  if (!settings.outDir.empty()) TakeScreenshots(view, now);
}

void CDemoApplication::MeasureLatency(const ScreenView& view, uint32_t now) {
  if (!player || view.kind != StateKind::EggGame) return;
  const ZoneMove& move = player->LastZoneMove();
  if (move.serial == timedMove || static_cast<int32_t>(now - move.enterTick) < 0) return;
  if (move.basketZone == move.zone) {
    timedMove = move.serial;  // the basket was there already: nothing to time
  } else if (view.game.basketZone == move.zone) {
    stats.AddLatency(now - move.enterTick);
    timedMove = move.serial;
  }
}

void CDemoApplication::TakeScreenshots(const ScreenView& view, uint32_t now) {
  if (view.kind != shownKind) {
    shownKind = view.kind;
    shownSince = now;
    shotThisScreen = false;
  }
  if (!view.kind || now - shownSince < kShotDelayMs) return;
  // The high-score screen shows its table only while the wheel rests on it.
  if (view.kind == StateKind::Hiscores && (view.menu.turning || view.menu.frontValue != kNestfallValue)) return;
  if (!view.game.nameEntry) nameEntrySince = now;
  if (view.kind == StateKind::EggGame && view.game.nameEntry && !nameEntryShot && now - nameEntrySince >= kShotDelayMs) {
    nameEntryShot = true;
    WriteScreenshot("name-entry");
  } else if (shots < kMostShots &&
             (!shotThisScreen || (view.kind == StateKind::EggGame && now - lastShotTick >= kGameShotEveryMs))) {
    shotThisScreen = true;
    WriteScreenshot(StateName(*view.kind));
  } else {
    return;
  }
  lastShotTick = now;
}

void CDemoApplication::WriteScreenshot(const std::string& name) {
  std::vector<uint32_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  char file[32];
  std::snprintf(file, sizeof file, "%02d-", ++shots);
  std::string path = settings.outDir + "/" + file + name + ".png";
  for (char& c : path) {
    if (c == ' ') c = '-';
  }
  if (!Device()->ReadPixels(pixels, width, height) || !WritePng(path, pixels, width, height)) {
    std::fputs(FormatText(Translate("Could not write the screenshot %s\n"), {path}).c_str(), stderr);
  }
}

std::string CDemoApplication::Summary() const {
  std::ostringstream out;
  if (player) {
    const PlayerRecord& record = player->Record();
    out << "screens:";
    for (size_t i = 0; i < record.screens.size(); ++i) out << (i == 0 ? " " : ", ") << StateName(record.screens[i]);
    out << "\ngames: " << record.gamesStarted << "\neggs caught: " << record.eggsCaught
        << "\neggs dropped: " << record.eggsDropped << "\nscore: " << record.score << "\nlevel: " << record.level
        << "\nbest level: " << record.bestLevel << "\ntries: " << record.tries << "\nname typed: " << record.nameTyped
        << "\n";
  }
  out << "maker's page: " << desktop.OpenedUrl() << "\n";
  const bool cutShort = settings.frameLimit > 0 && FramesPresented() >= settings.frameLimit;
  out << "ended by: " << (cutShort ? "frame limit" : closedFromOutside ? "window closed" : "the game") << "\n";
  if (settings.fixedStepMs > 0) out << "fixed step: " << settings.fixedStepMs << " ms\n";
  out << stats.Report();
  return out.str();
}

std::unique_ptr<CMyD3DApplication> MakeApplication(const CommandLine& options) {
  if (!options.demo && options.fixedStepMs == 0) return std::make_unique<CMyD3DApplication>();
  DemoSettings settings;
  settings.fixedStepMs = options.fixedStepMs;
  settings.seeded = options.seeded;
  settings.seed = options.seed;
  settings.player = options.demo;
  settings.plan = options.demoPlan;
  settings.outDir = options.demoOut;
  settings.frameLimit = options.frames;
  if (!settings.outDir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(settings.outDir, error);
  }
  return std::make_unique<CDemoApplication>(settings);
}

ExtraCamera DemoCamera(const CMyD3DApplication& app) {
  const auto* demo = dynamic_cast<const CDemoApplication*>(&app);
  return demo != nullptr ? demo->Camera() : ExtraCamera{};
}
