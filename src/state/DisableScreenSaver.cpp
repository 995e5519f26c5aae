#include "state/DisableScreenSaver.h"

#include "base/DesktopServices.h"

CDisableScreenSaver::CDisableScreenSaver() : savedAllowed(Desktop().IsScreenSaverAllowed()) {
  Desktop().SetScreenSaverAllowed(false);
}

CDisableScreenSaver::~CDisableScreenSaver() { Desktop().SetScreenSaverAllowed(savedAllowed); }
