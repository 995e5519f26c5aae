#pragma once
#include <cstdint>

// The capture pipeline's notice to the main thread ("something is waiting on
// the bus"): an SDL user event. The application calls HandleGraphEvents of
// the image capture when an event of this type arrives.

// The event type, registered with SDL on the first call (main thread, before
// any pipeline exists). 0 when SDL has no user event types left.
uint32_t CaptureNoticeEventType();

// Queues one notice when SDL's event queue is running; any thread.
// False when nothing was queued.
bool PostCaptureNotice();
