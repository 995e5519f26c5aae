#pragma once
#include <string>

#include "base/DesktopServices.h"

// The desktop as the demo sees it: the real services, except that the
// maker's page is also written down (so a run can show that it was asked
// for) and, without a display, not handed to a browser nobody can see.
// Installs itself for its lifetime. Main thread.
class CDemoDesktop : public SdlDesktopServices {
 public:
  CDemoDesktop();
  ~CDemoDesktop() override;
  CDemoDesktop(const CDemoDesktop&) = delete;
  CDemoDesktop& operator=(const CDemoDesktop&) = delete;

  void OpenUrl(const std::string& url) override;

  // The last address asked for, empty when none was.
  const std::string& OpenedUrl() const { return openedUrl; }

 private:
  std::string openedUrl;
};
