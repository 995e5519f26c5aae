#include "capture/CameraAccess.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "base/Texts.h"

std::vector<std::string> CamerasWithoutPermission(const std::string& deviceFolder) {
  std::vector<std::string> refused;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(deviceFolder, error)) {
    const std::string path = entry.path().string();
    if (entry.path().filename().string().rfind("video", 0) != 0) continue;
    if (::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) refused.push_back(path);
  }
  std::sort(refused.begin(), refused.end());
  return refused;
}

std::string NoPermissionText(const std::string& camera) {
  return FormatText(Translate("You may not use the camera %s: permission denied. Cameras belong to the \"video\" "
                              "group: join it with \"sudo usermod -aG video $USER\", log out and in again, then "
                              "start the game once more."),
                    {camera});
}
