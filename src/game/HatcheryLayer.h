#pragma once
#include <cstdint>
#include <vector>

#include "layers/TextureLayer.h"
#include "render/RenderDevice.h"

struct Picture;

// The egg game's full-screen background: a texture layer of a 1024 x 768
// picture that is drawn exactly where the full quad would be, but only over
// the picture's visible parts. The hatchery is clear in the middle, where the
// player sees himself, and on the software renderer filling those clear
// pixels for nothing costs about as much as the rest of a frame. Frame thread
// only.
class CHatcheryLayer : public CTextureLayer {
 public:
  // Side of the squares, in texels, by which the picture is cut.
  static constexpr uint32_t kTileSize = 32;

  // Loads `fileName` (no colour key) and places it over the whole window.
  explicit CHatcheryLayer(const char* fileName);

  // The visible squares in one strip; the full quad when the picture could
  // not be read for cutting. 0 without a texture.
  int32_t Render(RenderDevice* device) override;

  // Vertices of the strip (0 when the full quad is drawn).
  size_t StripSize() const { return strip.size(); }

 private:
  // Rows of squares that hold a texel the alpha test lets through, joined by
  // degenerate triangles, with the full quad's mapping from texture to quad.
  void BuildStrip(const Picture& picture);
  void AddRun(float u0, float v0, float u1, float v1);

  std::vector<Vertex> strip;
};
