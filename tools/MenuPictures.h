#pragma once
#include <string>

// Pictures of the menus.

// bm_main.tga: 512 x 512; drawn across the whole window behind the title's
// caption wheel and arrows with the colour blend (source x source +
// destination x destination), so only its top band is opaque.
bool MakeMenuBanner(const std::string& resDir);

// 3.tga, hiscore.png, exit.png: 300 x 300 badges of the title's picture wheel.
bool MakeWheelPictures(const std::string& resDir);

// progress.tga and emptyprogress.tga: 256 x 10 bars.
bool MakeProgressBars(const std::string& resDir);

// emptytexture.bmp (16 x 16 white, the fade's picture) and bluebg.bmp
// (256 x 256, the high-score and question background, colour-blended).
bool MakePlainBackgrounds(const std::string& resDir);
