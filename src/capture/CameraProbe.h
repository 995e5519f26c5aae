#pragma once
#include <string>

typedef struct _GstElement GstElement;

// Starts `source` (a floating element, consumed) into a sink of its own for up
// to two seconds. Returns "" when it delivered a frame or stayed silent (the
// running pipeline's watch deals with silence), "busy" when another program
// holds the camera, "no permission" when this user may not open its device,
// else the first error's text. Main thread.
std::string TrialStart(GstElement* source);
