#pragma once
#include <memory>
#include <string>
#include <vector>

typedef struct _GstDevice GstDevice;
typedef struct _GstDeviceProvider GstDeviceProvider;
class CCameraSource;

// Cameras plugged into GStreamer's device monitor and out of it, as a camera
// driver's device provider does on a real machine: the monitor lists them
// under "Video/Source" beside any real ones. Main thread.
class FakeCameras {
 public:
  FakeCameras();
  // Unplugs every camera still plugged in.
  ~FakeCameras();
  FakeCameras(const FakeCameras&) = delete;
  FakeCameras& operator=(const FakeCameras&) = delete;

  // Plugs in a camera named `name` at the device node `node`, listing
  // `caps` (a caps text); `source` makes its elements. The handle stays valid
  // until Unplug.
  GstDevice* Plug(const std::string& name, const char* caps, const std::string& node,
                  std::shared_ptr<CCameraSource> source);
  void Unplug(GstDevice* camera);

 private:
  GstDeviceProvider* provider;
  std::vector<GstDevice*> plugged;
};
