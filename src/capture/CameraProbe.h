#pragma once
#include <string>

typedef struct _GstElement GstElement;

// What a trial start of a source found.
struct TrialResult {
  enum class Outcome {
    Works,          // it delivered a frame, or stayed silent (the running pipeline's watch deals with silence)
    Busy,           // another program holds the camera
    NoPermission,   // this user may not open its device
    MissingPlugin,  // GStreamer lacks a plug-in it needs (a recording's decoder): `text` names it
    Failed,         // anything else: `text` is the first error's
  };
  Outcome outcome = Outcome::Works;
  std::string text;
};

// Starts `source` (a floating element, consumed) into a sink of its own for up
// to two seconds. Main thread.
TrialResult TrialStart(GstElement* source);
