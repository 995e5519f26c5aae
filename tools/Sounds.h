#pragma once
#include <string>

// sounds/crump2.wav: the egg crunch, 16-bit PCM mono, about 300 ms.
bool MakeCrunch(const std::string& resDir);

// nienawisc2_loop.wav (menu, 100 beats a minute, 12 bars) and yazda.wav (game,
// 140 beats a minute, 24 bars) into `workDir`: 44.1 kHz stereo loops whose end
// joins their start, for scripts/make-resources to encode as MP3.
bool MakeMusic(const std::string& workDir);
