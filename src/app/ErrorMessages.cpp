#include "app/ErrorMessages.h"

#include <cstdint>

#include "base/Texts.h"

std::string ErrorMessageText(Result code) {
  switch (static_cast<uint32_t>(code)) {
    case 0x82000001u:
      return Translate("Could not start OpenGL 3.3, which Zestbox\ndraws with. Install or update the graphics\n"
                       "driver (on Debian: libgl1-mesa-dri), then\ncheck the OpenGL version it offers with\n"
                       "\"glxinfo -B\" (package mesa-utils).");
    case 0x82000003u:
      return Translate("Could not open a window that draws with\nOpenGL 3.3. Check the graphics driver with\n"
                       "\"glxinfo -B\" (package mesa-utils).");
    case 0x82000004u:
      return Translate("This sample cannot run in a desktop\nwindow with the current display settings.\n"
                       "Please change your desktop settings to a\n16- or 32-bit display mode and re-run this\nsample.");
    case 0x82000005u:
      return Translate("No hardware-accelerated OpenGL driver\nwas found. Install the driver for your\n"
                       "graphics card and check it with \"glxinfo -B\".");
    case 0x82000006u:
      return Translate("Zestbox needs functionality that is not\navailable in your graphics driver.\n"
                       "Update the driver and check its OpenGL\nversion with \"glxinfo -B\".");
    case 0x82000007u:
      return Translate("Your graphics driver cannot draw OpenGL\ninto a window. \"glxinfo -B\" (package\n"
                       "mesa-utils) shows what it offers: Zestbox\nneeds OpenGL 3.3 or newer.");
    case 0x82000008u:
      return Translate("Your graphics driver cannot draw OpenGL\ninto a window with the current desktop\n"
                       "display settings. \"glxinfo -B\" (package\nmesa-utils) shows what it offers.");
    case 0x82000009u:
      return Translate("Zestbox needs functionality that is not\navailable in your graphics driver\n"
                       "with the current desktop display settings.\n\"glxinfo -B\" (package mesa-utils) shows\n"
                       "what it offers.");
    case 0x8200000Au:
      return Translate("An OpenGL object has a non-zero reference\ncount (meaning things were not properly\ncleaned up).");
    case 0x8200000Bu:
    case 0x80070002u:
      return Translate("Could not load required media.");
    case 0x8200000Cu:
      return Translate("Could not switch the game's window to full\nscreen. Start it with --windowed to play\nin a window.");
    case 0x8200000Du:
      return Translate("Warning: Nothing will be rendered.\nThe software renderer was selected, but it is\n"
                       "missing from this computer. Install Mesa's\ndrivers (package libgl1-mesa-dri).\n");
    case 0x8007000Eu:
      return Translate("Not enough memory.");
    case 0x8876017Cu:
      return Translate("Not enough video memory.");
    default:
      return Translate("Generic application error. Enable\ndebug output for detailed information.\n");
  }
}

std::string ComposeErrorMessage(Result code, ErrorKind kind) {
  std::string text = ErrorMessageText(code);
  switch (kind) {
    case ErrorKind::Fatal:
      text += Translate("\n\nZestbox will now exit.");
      break;
    case ErrorKind::SwitchedToReference:
      text += Translate("\n\nSwitching to Mesa's software renderer,\nwhich draws everything the game needs,\n"
                      "but runs slowly.");
      break;
    case ErrorKind::Warning:
      break;
  }
  return text;
}
