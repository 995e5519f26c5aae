#include <gtest/gtest.h>

#include "app/KeyMap.h"
#include "base/VirtualKeys.h"

namespace {

using Kind = KeyCommand::Kind;

// The few key commands match only with exactly their own modifiers (the
// lock keys do not count); every other key reaches the state as a key,
// whatever the modifiers; keys the game has no code for are ignored.
TEST(KeyMapTest, KeyPressesBecomeCommandsOnlyWithTheirOwnModifiers) {
  const struct {
    SDL_Keycode key;
    uint16_t modifiers;
    Kind kind;
  } rows[] = {
      {SDLK_ESCAPE, KMOD_NONE, Kind::Leave},       {SDLK_x, KMOD_LALT, Kind::Leave},
      {SDLK_x, KMOD_RALT | KMOD_NUM, Kind::Leave}, {SDLK_x, KMOD_NONE, Kind::LastKey},
      {SDLK_x, KMOD_LALT | KMOD_LCTRL, Kind::LastKey}, {SDLK_ESCAPE, KMOD_LSHIFT, Kind::LastKey},
      {SDLK_LEFT, KMOD_NONE, Kind::OnKey},         {SDLK_RIGHT, KMOD_CAPS, Kind::OnKey},
      {SDLK_KP_ENTER, KMOD_NONE, Kind::OnKey},     {SDLK_LEFT, KMOD_LCTRL, Kind::LastKey},
      {SDLK_F2, KMOD_NONE, Kind::Ignore},          {SDLK_RETURN, KMOD_LALT, Kind::Ignore},
      {SDLK_AUDIOPLAY, KMOD_NONE, Kind::Ignore},   {SDLK_F3, KMOD_NONE, Kind::LastKey},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.kind, TranslateKey(row.key, row.modifiers).kind) << SDL_GetKeyName(row.key) << " with "
                                                                    << row.modifiers;
  }
  // A name is typed with letters and digits, as upper-case characters, and mended with Backspace.
  for (SDL_Keycode key = SDLK_a; key <= SDLK_z; ++key) EXPECT_EQ('A' + (key - SDLK_a), VirtualKeyFromSdl(key));
  for (SDL_Keycode key = SDLK_0; key <= SDLK_9; ++key) EXPECT_EQ('0' + (key - SDLK_0), VirtualKeyFromSdl(key));
  EXPECT_EQ(kVkBack, VirtualKeyFromSdl(SDLK_BACKSPACE));
  EXPECT_EQ(TranslateKey(SDLK_m, KMOD_NONE).code, TranslateKey(SDLK_m, KMOD_LSHIFT).code);
}

}  // namespace
