#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "app/ErrorMessages.h"

namespace {

const Result kKnown[] = {kErrorNoGraphics,        kErrorNoCompatibleDevices, kErrorNoWindowedMode,
                         kErrorNoHardwareDevice,  kErrorHardwareLacksFeature, kErrorNoWindowedHardware,
                         kErrorNoDesktopHardware, kErrorHardwareLacksDesktopFeature, kErrorNonZeroReferenceCount,
                         kErrorMediaNotFound,     kErrorResetFailed,          kErrorNullReference,
                         E_OUTOFMEMORY,           kErrorOutOfVideoMemory};

TEST(ErrorMessagesTest, EveryCodeHasItsOwnTextAndUnknownCodesTheGenericOne) {
  const std::string generic = "Generic application error. Enable\ndebug output for detailed information.\n";
  std::set<std::string> texts;
  for (const Result code : kKnown) {
    const std::string text = ErrorMessageText(code);
    EXPECT_NE(generic, text) << std::hex << code;
    texts.insert(text);
  }
  EXPECT_EQ(std::size(kKnown), texts.size()) << "no two codes share a text";
  EXPECT_EQ(ErrorMessageText(kErrorMediaNotFound), ErrorMessageText(kErrorFileNotFound));
  EXPECT_EQ(generic, ErrorMessageText(E_FAIL));
  EXPECT_EQ(generic, ErrorMessageText(static_cast<Result>(0x82000002u)));
  EXPECT_EQ("Not enough memory.", ErrorMessageText(E_OUTOFMEMORY));
}

// A Linux player must read what is wrong on Linux: no Windows graphics
// interfaces, no key that does nothing here, no stray characters after the
// exit notice.
TEST(ErrorMessagesTest, NoTextSendsALinuxPlayerToWindowsTools) {
  const char* windowsWords[] = {"Direct3D", "D3D", "DirectX", "DLL", "F2", "reference rasterizer", "\r"};
  for (const Result code : kKnown) {
    for (const ErrorKind kind : {ErrorKind::Warning, ErrorKind::Fatal, ErrorKind::SwitchedToReference}) {
      const std::string text = ComposeErrorMessage(code, kind);
      for (const char* word : windowsWords) {
        EXPECT_EQ(text.find(word), std::string::npos) << std::hex << code << " kind " << static_cast<int>(kind)
                                                      << " says \"" << word << "\": " << text;
      }
    }
  }
  EXPECT_NE(ErrorMessageText(kErrorNoGraphics).find("OpenGL 3.3"), std::string::npos);
  EXPECT_NE(ErrorMessageText(kErrorNoGraphics).find("glxinfo"), std::string::npos);
}

TEST(ErrorMessagesTest, TheKindDecidesTheEnding) {
  EXPECT_EQ("Could not load required media.", ComposeErrorMessage(kErrorFileNotFound, ErrorKind::Warning));
  EXPECT_EQ("Could not load required media.\n\nZestbox will now exit.",
            ComposeErrorMessage(kErrorFileNotFound, ErrorKind::Fatal));
  const std::string switched = ComposeErrorMessage(E_OUTOFMEMORY, ErrorKind::SwitchedToReference);
  EXPECT_EQ(switched.rfind("Not enough memory.\n\n", 0), 0u) << switched;
  EXPECT_NE(switched.find("software renderer"), std::string::npos) << switched;
}

}  // namespace
