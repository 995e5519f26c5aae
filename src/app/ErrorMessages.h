#pragma once
#include <string>

#include "base/Results.h"

// The start-up and device errors the application shell reports, and the
// message each one shows.
constexpr Result kErrorNoGraphics = static_cast<Result>(0x82000001u);        // no window system or GL context
constexpr Result kErrorNoCompatibleDevices = static_cast<Result>(0x82000003u);
constexpr Result kErrorNoWindowedMode = static_cast<Result>(0x82000004u);
constexpr Result kErrorNoHardwareDevice = static_cast<Result>(0x82000005u);
constexpr Result kErrorHardwareLacksFeature = static_cast<Result>(0x82000006u);
constexpr Result kErrorNoWindowedHardware = static_cast<Result>(0x82000007u);
constexpr Result kErrorNoDesktopHardware = static_cast<Result>(0x82000008u);
constexpr Result kErrorHardwareLacksDesktopFeature = static_cast<Result>(0x82000009u);
constexpr Result kErrorNonZeroReferenceCount = static_cast<Result>(0x8200000Au);
constexpr Result kErrorMediaNotFound = static_cast<Result>(0x8200000Bu);
constexpr Result kErrorResetFailed = static_cast<Result>(0x8200000Cu);
constexpr Result kErrorNullReference = static_cast<Result>(0x8200000Du);
constexpr Result kErrorFileNotFound = static_cast<Result>(0x80070002u);
constexpr Result kErrorOutOfVideoMemory = static_cast<Result>(0x8876017Cu);

// How an error is shown: a warning goes on, a fatal error ends the program,
// the third kind announces the switch to a software device.
enum class ErrorKind { Warning = 0, Fatal = 1, SwitchedToReference = 2 };

// The message for a code ("Generic application error..." for unknown codes).
std::string ErrorMessageText(Result code);

// The full text of the message box for a code and kind: fatal errors end with
// the exit notice and the low 16 bits of the code in decimal.
std::string ComposeErrorMessage(Result code, ErrorKind kind);
