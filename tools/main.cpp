// resgen: writes every picture and sound of the game.
//
//   resgen RESDIR WORKDIR   pictures and the crunch into RESDIR, the music as
//                           WAV into WORKDIR (scripts/make-resources encodes
//                           them), a contact sheet into WORKDIR
//   resgen --measure FILE.wav [LOOP]   prints duration, peak, RMS and, with
//                           LOOP, the sample step at the loop seam
#include <cstdio>
#include <cstring>
#include <string>

#include "AudioCheck.h"
#include "ContactSheet.h"
#include "EggPictures.h"
#include "GamePictures.h"
#include "IntroPicture.h"
#include "MenuPictures.h"
#include "Sounds.h"
#include "WebPage.h"

namespace {

bool MakeEverything(const std::string& resDir, const std::string& workDir) {
  return MakeEggStrips(resDir) && MakeCyberEgg(resDir) && MakeAlienStrip(resDir) && MakeBasket(resDir) &&
         MakeContour(resDir) && MakeHatchery(resDir) && MakeIcon(resDir) && MakeMenuBanner(resDir) &&
         MakeWheelPictures(resDir) && MakeProgressBars(resDir) && MakePlainBackgrounds(resDir) &&
         MakeIntroPicture(resDir) && MakeCrunch(resDir) && MakeMusic(workDir) && MakeWebPage(resDir) &&
         MakeContactSheets(resDir, workDir);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--measure") == 0) {
    return PrintAudioMeasures(argv[2], argc >= 4 && std::strcmp(argv[3], "LOOP") == 0) ? 0 : 1;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: resgen RESDIR WORKDIR | resgen --measure FILE.wav [LOOP]\n");
    return 2;
  }
  return MakeEverything(argv[1], argv[2]) ? 0 : 1;
}
