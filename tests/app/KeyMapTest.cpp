#include <gtest/gtest.h>

#include "app/KeyMap.h"

namespace {

TEST(KeyMapTest, LettersDigitsAndTheNumberPadFollowTheVirtualKeyRuns) {
  for (SDL_Keycode key = SDLK_a; key <= SDLK_z; ++key) {
    EXPECT_EQ('A' + (key - SDLK_a), VirtualKeyFromSdl(key));
  }
  for (SDL_Keycode key = SDLK_0; key <= SDLK_9; ++key) {
    EXPECT_EQ('0' + (key - SDLK_0), VirtualKeyFromSdl(key));
  }
  const SDL_Keycode pad[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                             SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
  for (int digit = 0; digit < 10; ++digit) {
    EXPECT_EQ(96 + digit, VirtualKeyFromSdl(pad[digit]));
  }
  for (int n = 0; n < 12; ++n) {
    EXPECT_EQ(112 + n, VirtualKeyFromSdl(SDLK_F1 + n));
  }
  EXPECT_EQ(135, VirtualKeyFromSdl(SDLK_F24));
}

TEST(KeyMapTest, NamedKeysGetTheirVirtualKeyCodes) {
  const struct {
    SDL_Keycode key;
    int32_t code;
  } table[] = {
      {SDLK_BACKSPACE, 8},   {SDLK_TAB, 9},        {SDLK_RETURN, 13},      {SDLK_KP_ENTER, 13},
      {SDLK_LSHIFT, 16},     {SDLK_RSHIFT, 16},    {SDLK_LCTRL, 17},       {SDLK_RCTRL, 17},
      {SDLK_LALT, 18},       {SDLK_RALT, 18},      {SDLK_PAUSE, 19},       {SDLK_CAPSLOCK, 20},
      {SDLK_ESCAPE, 27},     {SDLK_SPACE, 32},     {SDLK_PAGEUP, 33},      {SDLK_PAGEDOWN, 34},
      {SDLK_END, 35},        {SDLK_HOME, 36},      {SDLK_LEFT, 37},        {SDLK_UP, 38},
      {SDLK_RIGHT, 39},      {SDLK_DOWN, 40},      {SDLK_PRINTSCREEN, 44}, {SDLK_INSERT, 45},
      {SDLK_DELETE, 46},     {SDLK_LGUI, 91},      {SDLK_RGUI, 92},        {SDLK_APPLICATION, 93},
      {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109},  {SDLK_KP_PERIOD, 110},
      {SDLK_KP_DIVIDE, 111}, {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
      {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},   {SDLK_COMMA, 188},      {SDLK_MINUS, 189},
      {SDLK_PERIOD, 190},    {SDLK_SLASH, 191},    {SDLK_BACKQUOTE, 192},  {SDLK_LEFTBRACKET, 219},
      {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
  };
  for (const auto& entry : table) {
    EXPECT_EQ(entry.code, VirtualKeyFromSdl(entry.key)) << SDL_GetKeyName(entry.key);
  }
  EXPECT_EQ(0, VirtualKeyFromSdl(SDLK_UNKNOWN));
  EXPECT_EQ(0, VirtualKeyFromSdl(SDLK_AUDIOPLAY));
}

KeyCommand::Kind KindOf(SDL_Keycode key, uint16_t modifiers = KMOD_NONE) {
  return TranslateKey(key, modifiers).kind;
}

TEST(KeyMapTest, EscapeAndAltXLeave) {
  EXPECT_EQ(KeyCommand::Kind::Leave, KindOf(SDLK_ESCAPE));
  EXPECT_EQ(KeyCommand::Kind::Leave, KindOf(SDLK_x, KMOD_LALT));
  EXPECT_EQ(KeyCommand::Kind::Leave, KindOf(SDLK_x, KMOD_RALT | KMOD_NUM));
  EXPECT_EQ(KeyCommand::Kind::LastKey, KindOf(SDLK_x));
  EXPECT_EQ(KeyCommand::Kind::LastKey, KindOf(SDLK_x, KMOD_LALT | KMOD_LCTRL));
  EXPECT_EQ(KeyCommand::Kind::LastKey, KindOf(SDLK_ESCAPE, KMOD_LSHIFT));
}

TEST(KeyMapTest, ArrowsAndEnterAreCommandsWithTheirCodes) {
  EXPECT_EQ(37, TranslateKey(SDLK_LEFT, KMOD_NONE).code);
  EXPECT_EQ(KeyCommand::Kind::OnKey, KindOf(SDLK_LEFT));
  EXPECT_EQ(KeyCommand::Kind::OnKey, KindOf(SDLK_RIGHT, KMOD_CAPS));
  EXPECT_EQ(KeyCommand::Kind::OnKey, KindOf(SDLK_RETURN));
  EXPECT_EQ(KeyCommand::Kind::OnKey, KindOf(SDLK_KP_ENTER));
  // Up and Down are no commands: the states only see them as last keys.
  EXPECT_EQ(KeyCommand::Kind::LastKey, KindOf(SDLK_UP));
  EXPECT_EQ(KeyCommand::Kind::LastKey, KindOf(SDLK_LEFT, KMOD_LCTRL));
}

TEST(KeyMapTest, F2AndAltEnterDoNothing) {
  EXPECT_EQ(KeyCommand::Kind::Ignore, KindOf(SDLK_F2));
  EXPECT_EQ(KeyCommand::Kind::Ignore, KindOf(SDLK_RETURN, KMOD_LALT));
  EXPECT_EQ(KeyCommand::Kind::Ignore, KindOf(SDLK_AUDIOPLAY));
  EXPECT_EQ(KeyCommand::Kind::LastKey, KindOf(SDLK_F3));
}

TEST(KeyMapTest, OtherKeysAreRecordedAsTheirCodes) {
  const KeyCommand letter = TranslateKey(SDLK_m, KMOD_LSHIFT);
  EXPECT_EQ(KeyCommand::Kind::LastKey, letter.kind);
  EXPECT_EQ(77, letter.code);
  EXPECT_EQ(46, TranslateKey(SDLK_DELETE, KMOD_NONE).code);
  EXPECT_EQ(18, TranslateKey(SDLK_LALT, KMOD_LALT).code);
}

}  // namespace
