#pragma once
#include <string>

// The maker's web page opened when the player quits: `configured` (the
// --homepage option) when not empty, else the page shipped in res/web/ as a
// file:// URL of its absolute path under the working directory.
std::string HomepageUrl(const std::string& configured);

// "file://" and the absolute path, with every byte other than letters,
// digits, '/', '-', '.', '_' and '~' percent-encoded.
std::string FileUrl(const std::string& absolutePath);
