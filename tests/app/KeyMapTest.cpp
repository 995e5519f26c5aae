#include <gtest/gtest.h>

#include "app/KeyMap.h"

namespace {

using Kind = KeyCommand::Kind;

// The few key commands match only with exactly their own modifiers; every
// other key reaches the state with its code, whatever the modifiers.
TEST(KeyMapTest, KeyPressesBecomeCommandsOnlyWithTheirOwnModifiers) {
  const struct {
    SDL_Keycode key;
    uint16_t modifiers;
    Kind kind;
    int32_t code;  // checked where not 0
  } rows[] = {
      {SDLK_ESCAPE, KMOD_NONE, Kind::Leave, 0},         {SDLK_x, KMOD_LALT, Kind::Leave, 0},
      {SDLK_x, KMOD_RALT | KMOD_NUM, Kind::Leave, 0},   {SDLK_x, KMOD_NONE, Kind::LastKey, 'X'},
      {SDLK_x, KMOD_LALT | KMOD_LCTRL, Kind::LastKey, 'X'}, {SDLK_ESCAPE, KMOD_LSHIFT, Kind::LastKey, 27},
      {SDLK_LEFT, KMOD_NONE, Kind::OnKey, 37},          {SDLK_RIGHT, KMOD_CAPS, Kind::OnKey, 39},
      {SDLK_RETURN, KMOD_NONE, Kind::OnKey, 13},        {SDLK_KP_ENTER, KMOD_NONE, Kind::OnKey, 13},
      {SDLK_UP, KMOD_NONE, Kind::LastKey, 38},          {SDLK_LEFT, KMOD_LCTRL, Kind::LastKey, 37},
      {SDLK_F2, KMOD_NONE, Kind::Ignore, 0},            {SDLK_RETURN, KMOD_LALT, Kind::Ignore, 0},
      {SDLK_AUDIOPLAY, KMOD_NONE, Kind::Ignore, 0},     {SDLK_F3, KMOD_NONE, Kind::LastKey, 114},
      {SDLK_m, KMOD_LSHIFT, Kind::LastKey, 'M'},        {SDLK_7, KMOD_NONE, Kind::LastKey, '7'},
      {SDLK_KP_7, KMOD_NONE, Kind::LastKey, 103},       {SDLK_BACKSPACE, KMOD_NONE, Kind::LastKey, 8},
      {SDLK_DELETE, KMOD_NONE, Kind::LastKey, 46},      {SDLK_LALT, KMOD_LALT, Kind::LastKey, 18},
  };
  for (const auto& row : rows) {
    const KeyCommand command = TranslateKey(row.key, row.modifiers);
    EXPECT_EQ(row.kind, command.kind) << SDL_GetKeyName(row.key) << " with " << row.modifiers;
    EXPECT_TRUE(row.code == 0 || row.code == command.code) << SDL_GetKeyName(row.key) << " gives " << command.code;
  }
  for (SDL_Keycode key = SDLK_a; key <= SDLK_z; ++key) EXPECT_EQ('A' + (key - SDLK_a), VirtualKeyFromSdl(key));
  for (SDL_Keycode key = SDLK_0; key <= SDLK_9; ++key) EXPECT_EQ('0' + (key - SDLK_0), VirtualKeyFromSdl(key));
}

}  // namespace
