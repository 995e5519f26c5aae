#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "state/GameLoop.h"
#include "app/MyD3DApplication.h"
#include "app/StateFactory.h"
#include "scores/Hiscores.h"
#include "support/TempFolder.h"
#include "support/RecordingDesktop.h"
#include "support/ScopedEnvironment.h"
#include "support/TestClock.h"

// Last: Xlib's macros (None, Bool, Status) clash with names in the headers above.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The game on a bare X server (Xvfb without a window manager), as on a kiosk
// or an arcade cabinet: nothing applies the full-screen request, so the
// window keeps its first size while SDL reports the desktop's.
namespace {

// An Xvfb of its own for the test's lifetime, on the first free display.
class BareXServer {
 public:
  BareXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid = fork();
    if (pid == 0) {
      close(fds[0]);
      // Goes with the test, however the test ends; its notices are no test's business.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      const int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, 1);
      dup2(quiet, 2);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1200x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number once it takes connections.
    std::string number;
    for (char c = 0; read(fds[0], &c, 1) == 1 && c != '\n';) number += c;
    close(fds[0]);
    if (!number.empty()) display = ":" + number;
  }
  ~BareXServer() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
  BareXServer(const BareXServer&) = delete;
  BareXServer& operator=(const BareXServer&) = delete;

  // ":N", or empty when the server did not start.
  std::string display;

 private:
  pid_t pid = -1;
};

// The share of the screen's pixels in the rectangle that are not black, as
// the X server shows them.
double Lit(Display* x, int left, int top, int right, int bottom) {
  XImage* image = XGetImage(x, DefaultRootWindow(x), left, top, right - left, bottom - top, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  int lit = 0;
  for (int y = 0; y < bottom - top; ++y) {
    for (int column = 0; column < right - left; ++column) lit += (XGetPixel(image, column, y) & 0xFFFFFF) != 0;
  }
  XDestroyImage(image);
  return double(lit) / double((right - left) * (bottom - top));
}

class BareXServerTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    Hiscores::SetFileName(folder.File("cam.ini"));
  }
  void TearDown() override {
    Hiscores::SetFileName("cam.ini");
    ManualClockTest::TearDown();
  }

  TempFolder folder;
  RecordingDesktop desktop;  // a real message box would wait for ever
};

TEST_F(BareXServerTest, FullScreenWithoutAWindowManagerShowsTheWholeSceneInTheWindow) {
  BareXServer server;
  ASSERT_FALSE(server.display.empty()) << "Xvfb did not start";
  const ScopedEnvironment display("DISPLAY", server.display);
  const ScopedEnvironment driver("SDL_VIDEODRIVER", "x11");
  {
    CMyD3DApplication app;
    ASSERT_EQ(S_OK, app.Create());
    ASSERT_EQ(S_OK, app.ToggleFullscreen());
    app.SetStateFactory([](const StateRequest&) { return CreateGameState(StateRequest{StateKind::EggGame}); });
    ASSERT_EQ(S_OK, app.InitGame());
    for (int frame = 0; frame < 40; ++frame) {  // past the fade-in
      Advance(CMyD3DApplication::kFrameInterval);
      SDL_Event event;
      while (SDL_PollEvent(&event)) app.HandleEvent(event);
      ASSERT_EQ(S_OK, app.FrameStep());
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(app.Window(), &info));
    Display* x = info.info.x11.display;
    XSync(x, False);
    XWindowAttributes window;
    ASSERT_TRUE(XGetWindowAttributes(x, info.info.x11.window, &window));
    int left = 0, top = 0;
    Window child;
    XTranslateCoordinates(x, info.info.x11.window, window.root, 0, 0, &left, &top, &child);
    EXPECT_EQ(1000, window.width) << "nothing made the window full screen";
    const int right = left + window.width, bottom = top + window.height;
    // The hatchery frames the whole picture: roof, straw, both posts.
    EXPECT_GT(Lit(x, left, top + 2, right, top + 12), 0.9) << "roof";
    EXPECT_GT(Lit(x, left, bottom - 12, right, bottom - 2), 0.9) << "straw";
    EXPECT_GT(Lit(x, left + 2, top, left + 12, bottom), 0.9) << "left post";
    EXPECT_GT(Lit(x, right - 12, top, right - 2, bottom), 0.9) << "right post";
  }
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
