#pragma once
#include <string>
#include <vector>

// Camera device nodes this user may not open. GStreamer leaves such cameras
// out of its device list, so without this check a player outside the video
// group would only hear that there is no camera.

// The "video*" entries of `deviceFolder` (normally "/dev") that exist but
// refuse reading and writing to this user (EACCES), in name order. Any thread.
std::vector<std::string> CamerasWithoutPermission(const std::string& deviceFolder);

// What to tell a player who may not open `camera` (a device node or a
// camera's name): which camera, and how joining the video group fixes it.
std::string NoPermissionText(const std::string& camera);
