#include "game/Contour.h"

CContour::CContour() {
  LoadSprite("./res/contour.png", 0xFFFFFF);
  color = kColor;
}

CContour::~CContour() = default;
