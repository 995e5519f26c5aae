#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "app/ErrorMessages.h"

namespace {

TEST(ErrorMessagesTest, EveryCodeHasItsOwnTextAndUnknownCodesTheGenericOne) {
  const std::string generic = "Generic application error. Enable\ndebug output for detailed information.\n";
  const Result known[] = {kErrorNoGraphics,        kErrorNoCompatibleDevices, kErrorNoWindowedMode,
                          kErrorNoHardwareDevice,  kErrorHardwareLacksFeature, kErrorNoWindowedHardware,
                          kErrorNoDesktopHardware, kErrorHardwareLacksDesktopFeature, kErrorNonZeroReferenceCount,
                          kErrorMediaNotFound,     kErrorResetFailed,          kErrorNullReference,
                          E_OUTOFMEMORY,           kErrorOutOfVideoMemory};
  std::set<std::string> texts;
  for (const Result code : known) {
    const std::string text = ErrorMessageText(code);
    EXPECT_NE(generic, text) << std::hex << code;
    texts.insert(text);
  }
  EXPECT_EQ(std::size(known), texts.size()) << "no two codes share a text";
  EXPECT_EQ(ErrorMessageText(kErrorMediaNotFound), ErrorMessageText(kErrorFileNotFound));
  EXPECT_EQ(generic, ErrorMessageText(E_FAIL));
  EXPECT_EQ(generic, ErrorMessageText(static_cast<Result>(0x82000002u)));
  EXPECT_EQ("Could not find any compatible Direct3D\ndevices.", ErrorMessageText(kErrorNoCompatibleDevices));
  EXPECT_EQ("Not enough memory.", ErrorMessageText(E_OUTOFMEMORY));
}

TEST(ErrorMessagesTest, TheKindDecidesTheEnding) {
  EXPECT_EQ("Could not reset the Direct3D device.", ComposeErrorMessage(kErrorResetFailed, ErrorKind::Warning));
  EXPECT_EQ("Could not reset the Direct3D device.\n\nZestbox will now exit.\r\n12",
            ComposeErrorMessage(kErrorResetFailed, ErrorKind::Fatal));
  EXPECT_EQ("Could not load required media.\n\nZestbox will now exit.\r\n2",
            ComposeErrorMessage(kErrorFileNotFound, ErrorKind::Fatal));
  EXPECT_EQ("Not enough memory.\n\nSwitching to the reference rasterizer,\na software device that implements "
            "the entire\nDirect3D feature set, but runs very slowly.",
            ComposeErrorMessage(E_OUTOFMEMORY, ErrorKind::SwitchedToReference));
}

}  // namespace
