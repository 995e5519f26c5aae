#pragma once
#include <gst/gst.h>

// The element every sound and every piece of music plays into: the element
// description in the environment variable ZESTBOX_AUDIO_SINK (tests use
// "fakesink sync=true"), else autoaudiosink. Returns a floating reference,
// or null when the description cannot be built. Call with GStreamer
// initialised; any thread.
GstElement* CreateAudioSink();

// Whether the sink of CreateAudioSink can reach a real output. A sink that was
// asked for by name always counts; autoaudiosink counts only when it found a
// device and did not fall back to its silent stand-in. Main thread; takes a
// few milliseconds (opens and closes the device).
bool AudioOutputAvailable();
