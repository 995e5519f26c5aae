#pragma once
#include <string>

// egg_intro_en.png and egg_intro_pl.png: 1024 x 768 instructions for the egg
// game in English and in Polish. The game draws it over the camera with the
// colour blend (source x source + destination x destination): the opaque
// black panel darkens the camera behind light lettering, the transparent
// rest leaves the camera as it is.
bool MakeIntroPicture(const std::string& resDir);
