#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

// One camera picture as X8R8G8B8 texels, bottom row first (the camera
// texture's order), `width` texels per row.
struct CameraPicture {
  std::vector<uint32_t> texels;
  int32_t width = 0;
  int32_t height = 0;
};

// The texture side of the frame hand-off. The streaming thread converts each
// RGB24 frame into its own back picture and then publishes it; the main
// thread takes the newest published picture before it draws. Three pictures
// take turns (back, published, front), so the streaming thread never waits
// for the upload and a picture is never torn.
class CTextureRenderer {
 public:
  // Streaming thread. `topRow` is the picture's top row, `pitch` bytes from
  // one source row to the next (at least 3 x width). `leftSourceMicros` is the
  // monotonic time the frame left its camera, 0 when unknown.
  void DoRenderSample(const uint8_t* topRow, int32_t width, int32_t height, int32_t pitch,
                      int64_t leftSourceMicros);

  // Main thread: the newest picture published since the last call, or null.
  // The picture stays valid and unchanged until the next call.
  const CameraPicture* TakeNewestPicture();

  // Frames converted so far. Any thread.
  uint64_t FrameCount() const { return frameCount; }
  // From leaving the camera to being ready for upload, for the last frame
  // that carried its time (microseconds; -1 when none did). Any thread.
  int64_t LastLatencyMicros() const { return lastLatencyMicros; }

 private:
  CameraPicture back;
  CameraPicture published;
  CameraPicture front;
  bool hasPublished = false;
  std::mutex publishLock;
  std::atomic<uint64_t> frameCount{0};
  std::atomic<int64_t> lastLatencyMicros{-1};
};
