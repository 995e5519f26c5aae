#include "game/HatcheryLayer.h"

#include <algorithm>

#include "render/PictureLoader.h"

namespace {

// The device's alpha test passes texels above this; bilinear mixes of texels
// at or below it stay at or below it.
constexpr uint32_t kAlphaRef = 0x10;

// True when any texel of the square, or of the one-texel ring around it that
// filtering can reach, would be drawn.
bool SquareVisible(const Picture& picture, uint32_t left, uint32_t top, uint32_t size) {
  const uint32_t x0 = left > 0 ? left - 1 : 0, y0 = top > 0 ? top - 1 : 0;
  const uint32_t x1 = std::min(left + size + 1, picture.width), y1 = std::min(top + size + 1, picture.height);
  for (uint32_t y = y0; y < y1; ++y) {
    for (uint32_t x = x0; x < x1; ++x) {
      if ((picture.texels[size_t(y) * picture.width + x] >> 24) > kAlphaRef) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

CHatcheryLayer::CHatcheryLayer(const char* fileName) : CTextureLayer(fileName, 0, 1024.0f, 768.0f) {
  Picture picture;
  if (LoadPicture(fileName, 0, picture) && picture.width > 0 && picture.height > 0) {
    BuildStrip(picture);
  }
}

void CHatcheryLayer::BuildStrip(const Picture& picture) {
  const float w = float(picture.width), h = float(picture.height);
  for (uint32_t top = 0; top < picture.height; top += kTileSize) {
    const float bottom = float(std::min(top + kTileSize, picture.height));
    uint32_t runStart = 0;
    bool inRun = false;
    for (uint32_t left = 0;; left += kTileSize) {
      const bool end = left >= picture.width;
      const bool visible = !end && SquareVisible(picture, left, top, kTileSize);
      if (visible && !inRun) {
        runStart = left;
      } else if (!visible && inRun) {
        const float right = float(std::min(left, picture.width));
        AddRun(float(runStart) / w, float(top) / h, right / w, bottom / h);
      }
      inRun = visible;
      if (end) {
        break;
      }
    }
  }
}

void CHatcheryLayer::AddRun(float u0, float v0, float u1, float v1) {
  // The full quad's own mapping from texture to quad (it is slightly widened).
  const Vertex& a = vertices[0];
  const Vertex& d = vertices[3];
  const auto at = [&](float u, float v) {
    return Vertex{a.x + (d.x - a.x) * u, a.y + (d.y - a.y) * v, a.z, 0xFFFFFFFF, u, v};
  };
  const Vertex quad[4] = {at(u0, v0), at(u1, v0), at(u0, v1), at(u1, v1)};
  if (!strip.empty()) {
    // Two repeated vertices make empty triangles between runs and keep every
    // run starting on an even vertex, so its winding stays the same.
    strip.push_back(strip.back());
    strip.push_back(quad[0]);
  }
  strip.insert(strip.end(), quad, quad + 4);
}

int32_t CHatcheryLayer::Render(RenderDevice* device) {
  if (strip.empty()) {
    return CTextureLayer::Render(device);
  }
  RenderTexture* picture = texture ? texture->GetTexture() : nullptr;
  if (device == nullptr || picture == nullptr) {
    return 0;
  }
  RenderStates states = device->GetStates();
  states.lighting = false;
  device->SetStates(states);
  device->SetTransform(TransformKind::World, world);
  device->SetTexture(picture);
  device->DrawTriangleStrip(strip.data(), static_cast<uint32_t>(strip.size()));
  device->SetTexture(nullptr);
  states = device->GetStates();
  states.lighting = true;
  device->SetStates(states);
  return 1;
}
