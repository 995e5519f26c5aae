#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/ErrorMessages.h"

namespace {

// A Linux player must read what is wrong on Linux: no Windows graphics
// interfaces, no key that does nothing here, no stray characters after the
// exit notice; and each fault its own text, unknown ones the generic text.
TEST(ErrorMessagesTest, NoTextSendsALinuxPlayerToWindowsTools) {
  const Result known[] = {kErrorNoGraphics,        kErrorNoCompatibleDevices, kErrorNoWindowedMode,
                          kErrorNoHardwareDevice,  kErrorHardwareLacksFeature, kErrorNoWindowedHardware,
                          kErrorNoDesktopHardware, kErrorHardwareLacksDesktopFeature, kErrorNonZeroReferenceCount,
                          kErrorMediaNotFound,     kErrorResetFailed,          kErrorNullReference,
                          E_OUTOFMEMORY,           kErrorOutOfVideoMemory};
  const std::string generic = ErrorMessageText(E_FAIL);
  std::set<std::string> texts{generic};
  for (const Result code : known) {
    texts.insert(ErrorMessageText(code));
    for (const ErrorKind kind : {ErrorKind::Warning, ErrorKind::Fatal, ErrorKind::SwitchedToReference}) {
      const std::string text = ComposeErrorMessage(code, kind);
      EXPECT_EQ(0u, text.rfind(ErrorMessageText(code), 0)) << "the fault first: " << text;
      for (const char* word : {"Direct3D", "D3D", "DirectX", "DLL", "F2", "reference rasterizer", "\r"})
        EXPECT_EQ(text.find(word), std::string::npos) << "says \"" << word << "\": " << text;
    }
  }
  EXPECT_EQ(std::size(known) + 1, texts.size()) << "no two faults share a text";
  EXPECT_EQ(generic, ErrorMessageText(static_cast<Result>(0x82000002u)));
  EXPECT_EQ(ErrorMessageText(kErrorMediaNotFound), ErrorMessageText(kErrorFileNotFound));
}

}  // namespace
