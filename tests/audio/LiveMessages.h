#pragma once

// How many GStreamer messages exist in this process right now, counted by a
// tracer hooked into every mini object's creation and destruction. Counting
// starts with the first call; GStreamer must be initialised by then.
long LiveMessages();
