#pragma once
#include <string>

// Pictures of the egg game besides the eggs themselves.

// basket2.png: 128 x 64, the basket's rim along the top of the picture.
bool MakeBasket(const std::string& resDir);

// contour.png: 512 x 680, a head-and-shoulders outline in white that the
// game draws faintly at (256, 85) for the player to stand in.
bool MakeContour(const std::string& resDir);

// hatchery.tga: 1024 x 768, the hen-house frame and the four ledges whose top
// edges run under the eggs' paths; transparent in the middle.
bool MakeHatchery(const std::string& resDir);

// zestbox.png: 128 x 128 window and desktop icon.
bool MakeIcon(const std::string& resDir);
