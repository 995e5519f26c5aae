#include <gtest/gtest.h>

#include <SDL_timer.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/GameLoop.h"
#include "app/MyD3DApplication.h"
#include "layers/PictureLoader.h"
#include "support/RecordingDesktop.h"

// The application on a real window and OpenGL device (SDL's offscreen driver).
namespace {

std::unique_ptr<CGameLoop> NoState(const StateRequest&) { return nullptr; }

TEST(ApplicationRunTest, AHeadlessRunDrawsItsFramesAtThePaceAndWritesTheLastOne) {
  RecordingDesktop desktop;
  const std::string file = ::testing::TempDir() + "zestbox_app_run.png";
  std::remove(file.c_str());
  {
    CMyD3DApplication app;
    app.SetStateFactory(NoState);
    app.SetFrameLimit(3, file);
    ASSERT_EQ(S_OK, app.Create());
    EXPECT_NE(nullptr, app.Window());
    EXPECT_EQ(app.Device(), d3dDevice);
    EXPECT_EQ(1000u, app.BackBufferWidth());
    EXPECT_EQ(750u, app.BackBufferHeight());
    ASSERT_EQ(S_OK, app.InitGame());
    EXPECT_TRUE(app.IsActive());
    const uint32_t start = SDL_GetTicks();
    EXPECT_EQ(0, app.Run());
    EXPECT_GE(SDL_GetTicks() - start, 2 * CMyD3DApplication::kFrameInterval);
    EXPECT_EQ(3u, app.FramesPresented());
  }
  EXPECT_EQ(nullptr, d3dDevice);
  EXPECT_TRUE(desktop.messages.empty());
  Picture shot;
  ASSERT_TRUE(LoadPicture(file, 0, shot));
  EXPECT_EQ(1000u, shot.pictureWidth);
  EXPECT_EQ(750u, shot.pictureHeight);
  EXPECT_EQ(0xFF000000u, shot.texels[375 * shot.width + 500]) << "no state: a black frame";
  std::remove(file.c_str());
}

TEST(ApplicationRunTest, AFatalErrorClosesTheWindowAndEndsTheLoop) {
  RecordingDesktop desktop;
  CMyD3DApplication app;
  app.SetStateFactory(NoState);
  ASSERT_EQ(S_OK, app.Create());
  app.ShowError(kErrorResetFailed, ErrorKind::Fatal);
  EXPECT_EQ(1u, desktop.messages.size());
  EXPECT_EQ(nullptr, app.Window());
  EXPECT_EQ(nullptr, app.Device());
  EXPECT_EQ(nullptr, d3dDevice);
  EXPECT_EQ(nullptr, app.AudioEngine()) << "FinalRelease ran";
  EXPECT_TRUE(app.IsQuitPosted());
  EXPECT_EQ(0, app.Run());
}

}  // namespace
