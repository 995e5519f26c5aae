#pragma once
#include <string>

// The egg pictures: each cell 64 x 64 with the egg centred, so that the game
// can spin it about the cell's centre without cutting it.

// egg_strip.png, golden_egg_strip.png, zbuk_strip.png: five cells, the whole
// egg, two cracking stages, the burst, and the mess left on the ground.
bool MakeEggStrips(const std::string& resDir);

// cyberegg.png: one metal egg with rivets.
bool MakeCyberEgg(const std::string& resDir);

// alien_strip.png: seven cells of a small alien climbing out of the broken
// cyber egg and waving.
bool MakeAlienStrip(const std::string& resDir);
