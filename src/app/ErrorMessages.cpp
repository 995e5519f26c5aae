#include "app/ErrorMessages.h"

#include <cstdint>

std::string ErrorMessageText(Result code) {
  switch (static_cast<uint32_t>(code)) {
    case 0x82000001u:
      return "Could not initialize Direct3D. You may\nwant to check that the latest version of\n"
             "DirectX is correctly installed on your\nsystem.  Also make sure that this program\n"
             "was compiled with header files that match\nthe installed DirectX DLLs.";
    case 0x82000003u:
      return "Could not find any compatible Direct3D\ndevices.";
    case 0x82000004u:
      return "This sample cannot run in a desktop\nwindow with the current display settings.\n"
             "Please change your desktop settings to a\n16- or 32-bit display mode and re-run this\nsample.";
    case 0x82000005u:
      return "No hardware-accelerated Direct3D devices\nwere found.";
    case 0x82000006u:
      return "This sample requires functionality that is\nnot available on your Direct3D hardware\naccelerator.";
    case 0x82000007u:
      return "Your Direct3D hardware accelerator cannot\nrender into a window.\n"
             "Press F2 while the app is running to see a\nlist of available devices and modes.";
    case 0x82000008u:
      return "Your Direct3D hardware accelerator cannot\nrender into a window with the current\n"
             "desktop display settings.\nPress F2 while the app is running to see a\n"
             "list of available devices and modes.";
    case 0x82000009u:
      return "This sample requires functionality that is\nnot available on your Direct3D hardware\n"
             "accelerator with the current desktop display\nsettings.\n"
             "Press F2 while the app is running to see a\nlist of available devices and modes.";
    case 0x8200000Au:
      return "A D3D object has a non-zero reference\ncount (meaning things were not properly\ncleaned up).";
    case 0x8200000Bu:
    case 0x80070002u:
      return "Could not load required media.";
    case 0x8200000Cu:
      return "Could not reset the Direct3D device.";
    case 0x8200000Du:
      return "Warning: Nothing will be rendered.\nThe reference rendering device was selected, but your\n"
             "computer only has a reduced-functionality reference device\ninstalled.  Install the "
             "DirectX SDK to get the full\nreference device.\n";
    case 0x8007000Eu:
      return "Not enough memory.";
    case 0x8876017Cu:
      return "Not enough video memory.";
    default:
      return "Generic application error. Enable\ndebug output for detailed information.\n";
  }
}

std::string ComposeErrorMessage(Result code, ErrorKind kind) {
  std::string text = ErrorMessageText(code);
  switch (kind) {
    case ErrorKind::Fatal:
      text += "\n\nZestbox will now exit.\r\n";
      text += std::to_string(static_cast<uint32_t>(code) & 0xFFFFu);
      break;
    case ErrorKind::SwitchedToReference:
      text += "\n\nSwitching to the reference rasterizer,\na software device that implements the entire\n"
              "Direct3D feature set, but runs very slowly.";
      break;
    case ErrorKind::Warning:
      break;
  }
  return text;
}
