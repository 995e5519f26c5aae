#pragma once
#include <cstdint>

#include "render/RenderDevice.h"

// The render states, the two lights and the camera that every layer relies
// on: alpha blending with the alpha test above 0x10, depth test, lighting with
// a grey ambient, one directional and one point light, the eye at world
// z = -10 looking at the origin, and a 45-degree perspective for a drawing
// area of `width` x `height` viewport pixels (4:3 when either is 0). The game
// and the pixel tests both draw after this call, so they see one scene.
// Called whenever the device is made or the drawing area changes, before
// anything is drawn. Main thread.
void SetUpScene(RenderDevice& device, uint32_t width, uint32_t height);
