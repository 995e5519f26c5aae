#pragma once
#include <cstdint>

typedef struct _GstBuffer GstBuffer;

// The monotonic time (microseconds, g_get_monotonic_time) at which a frame
// left its camera, carried through the pipeline as a reference timestamp on
// the buffer. Only the sources that know it stamp their frames.
void StampFrameLeftSource(GstBuffer* buffer);
// The stamp, or 0 when the frame carries none.
int64_t FrameLeftSourceMicros(GstBuffer* buffer);
