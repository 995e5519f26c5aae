#include <gtest/gtest.h>

#include <clocale>
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
// were written), an English one and a Polish one.
namespace {

struct LanguageCase {
  const char* locale;
  const char* usage;      // the first line of --help
  const char* modeError;  // the start of the answer to --mode 7
  const char* noCamera;   // the message when no camera is found
  const char* quit;       // the title's "Quit"
  const char* tries;      // the HUD's "Tries"
  const char* empty;      // an unused high-score row
  const char* exitNotice;
};

const LanguageCase kCases[] = {
    {"C", "Usage: zestbox [options]", "--mode needs WIDTHxHEIGHT",
     "Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.", "Quit", "Tries", "Empty",
     "\n\nZestbox will now exit."},
    {"en_US.UTF-8", "Usage: zestbox [options]", "--mode needs WIDTHxHEIGHT",
     "No camera was found. Connect a camera and try again.", "Quit", "Tries", "Empty", "\n\nZestbox will now exit."},
    {"pl_PL.UTF-8", "Użycie: zestbox [opcje]", "--mode wymaga SZEROKOŚĆxWYSOKOŚĆ",
     "Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.", "Wyjście", "Życia", "Pusto",
     "\n\nZestbox zakończy teraz działanie."},
};

// A camera that is not there ends the program before any screen, saying why
// in the player's language, on the terminal when there is no display.
TEST(LanguageTest, TheProgramSpeaksThePlayersLanguage) {
  for (const LanguageCase& language : kCases) {
    ProgramRun noCamera({"--windowed", "--camera", "no such camera", "--frames", "5"},
                        {std::string("LC_ALL=") + language.locale});
    EXPECT_NE(std::string::npos, noCamera.ReadAll().find(language.noCamera)) << language.locale;
    EXPECT_EQ(1, noCamera.Wait()) << "no frames drawn";
  }
}

// The game's own texts, looked up as the program does at start.
TEST(LanguageTest, TheScreensSpeakThePlayersLanguage) {
  for (const LanguageCase& language : kCases) {
    const ScopedEnvironment locale("LC_ALL", language.locale);
    StartTranslations(BuiltCatalogueFolder());
    EXPECT_EQ(0u, UsageText().rfind(std::string(language.usage) + "\n", 0)) << language.locale;
    const char* arguments[] = {"zestbox", "--mode", "7"};
    EXPECT_EQ(0u, ParseCommandLine(3, arguments).error.rfind(language.modeError, 0)) << language.locale;
    EXPECT_STREQ(language.quit, LoadText(3)) << language.locale;
    EXPECT_STREQ(language.tries, LoadText(16)) << language.locale;
    EXPECT_EQ(language.empty, Hiscores::ShownName(LoadUntranslatedText(27))) << language.locale;
    const std::string fatal = ComposeErrorMessage(kErrorResetFailed, ErrorKind::Fatal);
    EXPECT_EQ(fatal.size() - std::string(language.exitNotice).size(), fatal.rfind(language.exitNotice))
        << language.locale << ": " << fatal;
  }
  std::setlocale(LC_ALL, "C");
}

// Both catalogues translate every text, and none sends a Linux player to
// Windows tools or to a key that does nothing.
TEST(LanguageTest, EveryCatalogueIsCompleteAndSpeaksOfLinux) {
  const char* windowsWords[] = {"Direct3D", "D3D", "DirectX", "DLL", "F2", "IGraphBuilder", "IAMStreamConfig",
                                "SampleGrabber", "Microsoft", "\r"};
  for (const std::string& language : CatalogueLanguages()) {
    const auto entries = ReadCatalogue(language);
    EXPECT_GT(entries.size(), 100u) << language;
    for (const auto& [original, translated] : entries) {
      EXPECT_FALSE(translated.empty()) << language << ": " << original;
      for (const char* word : windowsWords) {
        EXPECT_EQ(std::string::npos, original.find(word)) << original;
        EXPECT_EQ(std::string::npos, translated.find(word)) << language << ": " << translated;
      }
    }
  }
}

}  // namespace
