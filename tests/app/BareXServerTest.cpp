#include <gtest/gtest.h>

#include <string>

#include "state/GameLoop.h"
#include "app/MyD3DApplication.h"
#include "app/StateFactory.h"
#include "scores/Hiscores.h"
#include "support/ProgramRun.h"
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

using BareXServerTest = ManualClockTest;

TEST_F(BareXServerTest, FullScreenWithoutAWindowManagerShowsTheWholeSceneInTheWindow) {
  // An Xvfb of its own, on the first free display, which it writes once it
  // takes connections; its notices are no test's business.
  ProgramRun server({"-c", "exec Xvfb -displayfd 1 -screen 0 1600x1200x24 -nolisten tcp 2>/dev/null"}, {}, "sh");
  const std::string number = server.ReadAll(30, "\n");
  ASSERT_NE(std::string::npos, number.find('\n')) << "Xvfb did not start";
  const ScopedEnvironment display("DISPLAY", ":" + number.substr(0, number.find('\n')));
  const ScopedEnvironment driver("SDL_VIDEODRIVER", "x11");
  RecordingDesktop desktop;  // a real message box would wait for ever
  TempFolder folder;
  Hiscores::SetFileName(folder.File("cam.ini"));
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
  Hiscores::SetFileName("cam.ini");
}

}  // namespace
