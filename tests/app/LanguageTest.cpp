#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "support/ProgramRun.h"
#include "app/ErrorMessages.h"
#include "base/Texts.h"
#include "scores/Hiscores.h"
#include "support/MessageCatalogue.h"

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
    {"C", "Usage: zestbox [options]", "zestbox: --mode needs WIDTHxHEIGHT",
     "Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.", "Quit", "Tries", "Empty",
     "\n\nZestbox will now exit."},
    {"en_US.UTF-8", "Usage: zestbox [options]", "zestbox: --mode needs WIDTHxHEIGHT",
     "No camera was found. Connect a camera and try again.", "Quit", "Tries", "Empty", "\n\nZestbox will now exit."},
    {"pl_PL.UTF-8", "Użycie: zestbox [opcje]", "zestbox: --mode wymaga SZEROKOŚĆxWYSOKOŚĆ",
     "Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.", "Wyjście", "Życia", "Pusto",
     "\n\nZestbox zakończy teraz działanie."},
};

// The game's own texts, looked up as the program does at start, in `locale`.
class InLocale {
 public:
  explicit InLocale(const char* locale) {
    setenv("LC_ALL", locale, 1);
    StartTranslations(BuiltCatalogueFolder());
  }
  ~InLocale() {
    setenv("LC_ALL", "C", 1);
    std::setlocale(LC_ALL, "C");
  }
  InLocale(const InLocale&) = delete;
  InLocale& operator=(const InLocale&) = delete;
};

TEST(LanguageTest, TheProgramSpeaksThePlayersLanguage) {
  for (const LanguageCase& language : kCases) {
    const std::vector<std::string> environment{std::string("LC_ALL=") + language.locale};
    EXPECT_EQ(0u, ProgramRun({"--help"}, environment).ReadAll().rfind(std::string(language.usage) + "\n", 0))
        << language.locale;
    EXPECT_EQ(0u, ProgramRun({"--mode", "7"}, environment).ReadAll().rfind(language.modeError, 0)) << language.locale;
    // A camera that is not there ends the program before any screen, saying why.
    ProgramRun noCamera({"--windowed", "--camera", "no such camera", "--frames", "5"}, environment);
    EXPECT_NE(std::string::npos, noCamera.ReadAll().find(language.noCamera)) << language.locale;
    EXPECT_EQ(1, noCamera.Wait()) << "no frames drawn";
  }
}

TEST(LanguageTest, TheScreensSpeakThePlayersLanguage) {
  for (const LanguageCase& language : kCases) {
    const InLocale locale(language.locale);
    EXPECT_STREQ(language.quit, LoadText(3)) << language.locale;
    EXPECT_STREQ(language.tries, LoadText(16)) << language.locale;
    EXPECT_EQ(language.empty, Hiscores::ShownName(LoadUntranslatedText(27))) << language.locale;
    const std::string fatal = ComposeErrorMessage(kErrorResetFailed, ErrorKind::Fatal);
    EXPECT_EQ(fatal.size() - std::string(language.exitNotice).size(), fatal.rfind(language.exitNotice))
        << language.locale << ": " << fatal;
  }
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
