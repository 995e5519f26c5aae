#include <gtest/gtest.h>

#include <clocale>
#include <set>
#include <string>

#include "app/CommandLine.h"
#include "app/ErrorMessages.h"
#include "base/Texts.h"
#include "scores/Hiscores.h"
#include "support/MessageCatalogue.h"
#include "support/ProgramRun.h"
#include "support/ScopedEnvironment.h"

// The player's language, as the player meets it: the program's own output
// and the texts of the screens, in the C locale (the game's texts as they
// were written), an English one and a Polish one; and in every language the
// words of Linux, not of Windows tools.
namespace {

const struct {
  const char* locale;
  const char* usage;      // the first line of --help
  const char* modeError;  // the start of the answer to --mode 7
  const char* noCamera;   // the message when no camera is found
  const char* quit;       // the title's "Quit"
  const char* empty;      // an unused high-score row
  const char* exitNotice;
} kLanguages[] = {
    {"C", "Usage: zestbox [options]", "--mode needs WIDTHxHEIGHT",
     "Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.", "Quit", "Empty", "\n\nZestbox will now exit."},
    {"en_US.UTF-8", "Usage: zestbox [options]", "--mode needs WIDTHxHEIGHT",
     "No camera was found. Connect a camera and try again.", "Quit", "Empty", "\n\nZestbox will now exit."},
    {"pl_PL.UTF-8", "Użycie: zestbox [opcje]", "--mode wymaga SZEROKOŚĆxWYSOKOŚĆ",
     "Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.", "Wyjście", "Pusto",
     "\n\nZestbox zakończy teraz działanie."},
};

// Words that would send a Linux player to Windows tools or to a key that does nothing.
const char* const kWindowsWords[] = {"Direct3D", "D3D",        "DirectX",   "DLL", "F2", "IGraphBuilder",
                                     "IAMStreamConfig", "SampleGrabber", "Microsoft", "reference rasterizer", "\r"};

// A camera that is not there ends the program before any screen, saying why
// in the player's language, on the terminal when there is no display.
TEST(LanguageTest, TheProgramSpeaksThePlayersLanguage) {
  for (const auto& language : kLanguages) {
    ProgramRun noCamera({"--windowed", "--camera", "no such camera", "--frames", "5"},
                        {std::string("LC_ALL=") + language.locale});
    EXPECT_NE(std::string::npos, noCamera.ReadAll().find(language.noCamera)) << language.locale;
    EXPECT_EQ(1, noCamera.Wait()) << "no frames drawn";
  }
}

// The game's own texts, looked up as the program does at start.
TEST(LanguageTest, TheScreensSpeakThePlayersLanguage) {
  for (const auto& language : kLanguages) {
    const ScopedEnvironment locale("LC_ALL", language.locale);
    StartTranslations(BuiltCatalogueFolder());
    EXPECT_EQ(0u, UsageText().rfind(std::string(language.usage) + "\n", 0)) << language.locale;
    const char* arguments[] = {"zestbox", "--mode", "7"};
    EXPECT_EQ(0u, ParseCommandLine(3, arguments).error.rfind(language.modeError, 0)) << language.locale;
    EXPECT_STREQ(language.quit, LoadText(3)) << language.locale;
    EXPECT_EQ(language.empty, Hiscores::ShownName(LoadUntranslatedText(27))) << language.locale;
    const std::string fatal = ComposeErrorMessage(kErrorResetFailed, ErrorKind::Fatal);
    EXPECT_EQ(fatal.size() - std::string(language.exitNotice).size(), fatal.rfind(language.exitNotice))
        << language.locale << ": " << fatal;
  }
  std::setlocale(LC_ALL, "C");
}

// Both catalogues translate every text, and none speaks of Windows tools.
TEST(LanguageTest, EveryCatalogueIsCompleteAndSpeaksOfLinux) {
  for (const std::string& language : CatalogueLanguages()) {
    const auto entries = ReadCatalogue(language);
    EXPECT_GT(entries.size(), 100u) << language;
    for (const auto& [original, translated] : entries) {
      EXPECT_FALSE(translated.empty()) << language << ": " << original;
      for (const char* word : kWindowsWords) {
        EXPECT_EQ(std::string::npos, original.find(word)) << original;
        EXPECT_EQ(std::string::npos, translated.find(word)) << language << ": " << translated;
      }
    }
  }
}

// Each fault its own text, first in its message, whatever the kind of
// message; unknown faults the generic text; and no stray characters after
// the exit notice.
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
      for (const char* word : kWindowsWords)
        EXPECT_EQ(text.find(word), std::string::npos) << "says \"" << word << "\": " << text;
    }
  }
  EXPECT_EQ(std::size(known) + 1, texts.size()) << "no two faults share a text";
  EXPECT_EQ(generic, ErrorMessageText(static_cast<Result>(0x82000002u)));
  EXPECT_EQ(ErrorMessageText(kErrorMediaNotFound), ErrorMessageText(kErrorFileNotFound));
}

}  // namespace
