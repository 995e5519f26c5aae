#pragma once

// The colours of every menu's captions, as the artwork's bytes of 255:
// a pale cream at rest, warm yellow while movement fills the option.
constexpr float kMenuNormal[4] = {200 / 255.0f, 200 / 255.0f, 170 / 255.0f, 200 / 255.0f};
constexpr float kMenuHighlight[4] = {254 / 255.0f, 189 / 255.0f, 32 / 255.0f, 170 / 255.0f};
