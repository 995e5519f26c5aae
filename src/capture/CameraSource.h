#pragma once
#include <cstdint>
#include <vector>

#include "base/VideoMode.h"

typedef struct _GstElement GstElement;
typedef struct _GstCaps GstCaps;

// Something that delivers camera pictures into a capture pipeline: a real
// camera, the built-in test camera, a test pattern or a recorded video.
// Shared between the device list and the pipelines built from it. Main
// thread, except where an implementation says otherwise.
class CCameraSource {
 public:
  virtual ~CCameraSource() = default;

  // A new source element (floating reference) whose one source pad delivers
  // the caps of SourceCaps; null when the source cannot be made.
  virtual GstElement* CreateElement() const = 0;
  // Everything the source can deliver (new reference), or null when it
  // cannot say.
  virtual GstCaps* OfferedCaps() const = 0;

  // The modes to list, in the source's order: each distinct frame size of
  // OfferedCaps, as a 32-bit mode (the pipeline converts every format).
  virtual std::vector<CVideoMode> Modes() const;
  // The caps to ask of the source for a picture of width x height whose own
  // format has `bitsPerPixel` (new reference); null when it cannot deliver it.
  virtual GstCaps* SourceCaps(int32_t width, int32_t height, int32_t bitsPerPixel) const;
  // Prepares an element made by CreateElement for the chosen caps before the
  // pipeline starts. Nothing by default.
  virtual void Configure(GstElement* element, const GstCaps* caps) const;
  // Whether a trial start must show the source working before it is attached
  // (real cameras may be held by another program).
  virtual bool NeedsProbe() const { return true; }
};
