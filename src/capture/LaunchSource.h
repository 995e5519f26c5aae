#pragma once
#include <memory>
#include <string>
#include <vector>

#include "capture/CameraSource.h"

// A source described in GStreamer's pipeline syntax, converted and scaled
// inside its own bin so that it delivers any of the listed sizes in the
// usual uncompressed formats: the test pattern (`videotestsrc is-live=true`)
// or a recorded video (see ForFile).
class CLaunchSource : public CCameraSource {
 public:
  CLaunchSource(std::string description, std::vector<CVideoMode> modes);

  // A recorded session replayed at its own pace (paths relative to the
  // working directory are made absolute): its video only, whatever else the
  // file holds. Lists 640 x 480 and 320 x 240. Tried before it is attached,
  // so that a recording GStreamer cannot decode is refused at once.
  static std::shared_ptr<CLaunchSource> ForFile(const std::string& path);

  GstElement* CreateElement() const override;
  GstCaps* OfferedCaps() const override;
  std::vector<CVideoMode> Modes() const override { return modes; }
  bool NeedsProbe() const override { return probed; }

 private:
  std::string description;
  std::vector<CVideoMode> modes;
  bool probed = false;
};
