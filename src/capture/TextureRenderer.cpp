#include "capture/TextureRenderer.h"

#include <glib.h>

#include <utility>

#include "capture/PixelConversion.h"

void CTextureRenderer::DoRenderSample(const uint8_t* topRow, int32_t width, int32_t height, int32_t pitch,
                                      int64_t leftSourceMicros) {
  if (!topRow || width <= 0 || height <= 0 || pitch < 3 * width) return;
  back.width = width;
  back.height = height;
  back.texels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  // The texture keeps the picture bottom row first: walk the top-down frame
  // from its last row.
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* source = topRow + static_cast<ptrdiff_t>(height - 1 - row) * pitch;
    ConvertBgrRow(source, back.texels.data() + static_cast<size_t>(row) * static_cast<size_t>(width), width);
  }
  {
    std::lock_guard<std::mutex> guard(publishLock);
    std::swap(back, published);
    hasPublished = true;
  }
  ++frameCount;
  if (leftSourceMicros > 0) lastLatencyMicros = g_get_monotonic_time() - leftSourceMicros;
}

const CameraPicture* CTextureRenderer::TakeNewestPicture() {
  std::lock_guard<std::mutex> guard(publishLock);
  if (!hasPublished) return nullptr;
  std::swap(published, front);
  hasPublished = false;
  return &front;
}
