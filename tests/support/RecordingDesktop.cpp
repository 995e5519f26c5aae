#include "RecordingDesktop.h"

RecordingDesktop::RecordingDesktop() { InstallDesktop(this); }

RecordingDesktop::~RecordingDesktop() { InstallDesktop(nullptr); }

void RecordingDesktop::ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
  messages.push_back({caption, text, icon});
}

void RecordingDesktop::OpenUrl(const std::string& url) { urls.push_back(url); }

void RecordingDesktop::SetScreenSaverAllowed(bool allowed) {
  screenSaverCalls.push_back(allowed);
  screenSaverAllowed = allowed;
}
