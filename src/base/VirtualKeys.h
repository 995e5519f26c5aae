#pragma once
#include <cstdint>

// The keyboard as the game states see it: the virtual-key codes the game was
// designed around (letters 65-90 and digits 48-57 are their characters).
// The application translates SDL's keys into these once (app/KeyMap).
constexpr int32_t kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkShift = 16, kVkControl = 17, kVkMenu = 18;
constexpr int32_t kVkPause = 19, kVkCapital = 20, kVkEscape = 27, kVkSpace = 32, kVkPrior = 33, kVkNext = 34;
constexpr int32_t kVkEnd = 35, kVkHome = 36, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;
constexpr int32_t kVkSnapshot = 44, kVkInsert = 45, kVkDelete = 46, kVkLWin = 91, kVkRWin = 92, kVkApps = 93;
constexpr int32_t kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107, kVkSubtract = 109, kVkDecimal = 110;
constexpr int32_t kVkDivide = 111, kVkF1 = 112, kVkF13 = 124, kVkNumLock = 144, kVkScroll = 145;
// The first and last key a name in the high-score table may be typed with:
// digits, then letters.
constexpr int32_t kVk0 = 48, kVkZ = 90;
