#pragma once
#include <memory>
#include <string>

#include "capture/CameraSource.h"

// One entry of the device list: the name shown to the player and the source
// the pipelines are built from.
class CVideoCaptureDevice {
 public:
  // A null name lists the device as "Unknown name".
  CVideoCaptureDevice(const char* name, std::shared_ptr<CCameraSource> source)
      : name(name ? name : "Unknown name"), source(std::move(source)) {}
  virtual ~CVideoCaptureDevice() = default;

  const std::string& GetName() const { return name; }
  const std::shared_ptr<CCameraSource>& GetSource() const { return source; }

 private:
  std::string name;
  std::shared_ptr<CCameraSource> source;
};
