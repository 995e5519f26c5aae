#pragma once
#include <cstdint>
#include <memory>

#include "layers/TextureLayer.h"
#include "render/RenderDevice.h"

// The texel layout of the camera texture: the device's 32-bit ARGB words with
// the alpha byte always 255.
enum class CameraTextureFormat { None, X8R8G8B8 };

// The one camera texture (latest camera picture, bottom row first), created
// and filled by the capture engine on the frame thread, drawn by the video
// layer; null while no camera picture has arrived.
extern std::unique_ptr<RenderTexture> cameraTexture;
extern CameraTextureFormat cameraTextureFormat;

// The texture size for a picture size: the picture's own, or on devices that
// need powers of two the smallest of 2, 4, 8, ... at or above it.
uint32_t CameraTextureSize(uint32_t pictureSize, bool powerOfTwo);

// The live camera picture behind every screen: a quad across the window's
// width showing the camera texture mirrored left to right and upright. Owned
// by the capture engine; states only add it to their layer lists. Frame
// thread only.
class CVideoTextureLayer : public CTextureLayer {
 public:
  // The quad with unmirrored coordinates until SetTexCoords.
  CVideoTextureLayer();

  // uMax, vMax: picture width / texture width, picture height / texture
  // height (1 when the texture has the picture's size).
  void SetTexCoords(float uMax, float vMax);
  // Draws the quad with the camera texture, untextured (white) while there is
  // none; puts the device's states back. Returns 1.
  int32_t Render(RenderDevice* device) override;
};
