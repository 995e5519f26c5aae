#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "capture/CaptureBase.h"
#include "capture/VideoCaptureDevice.h"

typedef struct _GstDeviceMonitor GstDeviceMonitor;
typedef struct _GList GList;
class CSystemCamera;

// Lists the cameras: the system's own (GstDeviceMonitor, "Video/Source"),
// then the extra sources the program was asked for (a recorded video, the
// built-in test camera), in the order they were added. Cameras that offer
// only formats the game cannot convert are left out. Main thread.
class CCaptureDeviceEnumerator : public CCaptureBase {
 public:
  CCaptureDeviceEnumerator();
  ~CCaptureDeviceEnumerator() override;
  CCaptureDeviceEnumerator(const CCaptureDeviceEnumerator&) = delete;
  CCaptureDeviceEnumerator& operator=(const CCaptureDeviceEnumerator&) = delete;

  // Rebuilds the list. False with "EnumerateDevices: No video capture
  // devices found" when there is no device at all.
  bool EnumerateDevices();
  int32_t GetDeviceCount() const { return static_cast<int32_t>(devices.size()); }
  // `index` must be within the count.
  CVideoCaptureDevice* GetDevice(int32_t index) const { return devices[static_cast<size_t>(index)].get(); }

  // Whether EnumerateDevices asks the system for cameras (on by default;
  // tests turn it off to see only their own sources).
  void SetSystemCamerasListed(bool listed) { systemCamerasListed = listed; }
  // Lists `source` under `name` after the system's cameras from the next
  // EnumerateDevices on.
  void AddExtraSource(const std::string& name, std::shared_ptr<CCameraSource> source);

 protected:
  // The system's camera of that name as the device monitor lists it now,
  // null when there is none (it may have come back as a new device, at
  // another device node, since it was listed).
  std::shared_ptr<CSystemCamera> FindSystemCamera(const std::string& name);

  std::vector<std::unique_ptr<CVideoCaptureDevice>> devices;

 private:
  void AddSystemCameras();
  // The system's cameras now, in its order (new references), or null.
  GList* SystemDevices();

  // Started by the first listing and kept running until destruction, so that
  // asking again is cheap and follows cameras plugged in and out.
  // Releases the monitor (defined where GStreamer is included).
  struct Unref {
    void operator()(GstDeviceMonitor* monitor) const;
  };
  std::unique_ptr<GstDeviceMonitor, Unref> monitor;
  bool systemCamerasListed = true;
  std::vector<std::pair<std::string, std::shared_ptr<CCameraSource>>> extraSources;
};
