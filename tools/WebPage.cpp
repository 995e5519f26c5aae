#include "WebPage.h"

#include <cstdio>
#include <fstream>

#include <sys/stat.h>

namespace {

const char* const kPage = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Zestbox</title>
<style>
  body { margin: 0; background: #2E4A7D; color: #FFF8E7; font-family: "Comic Neue", "Comic Sans MS", sans-serif; font-size: 19px; line-height: 1.5; }
  main { max-width: 760px; margin: 0 auto; padding: 24px 28px 48px; }
  header { display: flex; align-items: center; gap: 20px; }
  header img { width: 96px; height: 96px; }
  h1 { color: #FEBD20; font-size: 52px; margin: 0; text-shadow: 3px 3px 0 #2B1B10; }
  h2 { color: #FEBD20; margin-top: 32px; border-bottom: 3px solid #A0652C; }
  section { background: rgba(43, 27, 16, 0.35); border-radius: 18px; padding: 4px 22px 12px; margin-top: 20px; }
  .egg { display: inline-block; width: 14px; height: 19px; border-radius: 50% 50% 50% 50% / 60% 60% 40% 40%; border: 2px solid #2B1B10; vertical-align: middle; margin-right: 6px; }
  .white { background: #FFF8E7; } .golden { background: #FFD23F; } .spoiled { background: #9BBF3A; }
  kbd { background: #FFF8E7; color: #2B1B10; border-radius: 5px; padding: 0 6px; font-family: inherit; }
  a { color: #FEBD20; }
</style>
</head>
<body>
<main>
<header>
  <img src="../zestbox.png" alt="">
  <div>
    <h1>Zestbox</h1>
    <p>A webcam arcade game you play with your whole body.</p>
  </div>
</header>

<section>
<h2>What it is</h2>
<p>Stand in front of your camera and you see yourself on the screen, as in a mirror. There is no mouse and no
keyboard to hold: you play by moving. Every menu works the same way: keep waving your hand over an option until
its bar fills up.</p>
</section>

<section>
<h2>How to play Nestfall</h2>
<p>Eggs roll out of the hen-house down four chutes, two on the left and two on the right, and drop towards the
floor. Move in the quarter of the picture where an egg will drop: your basket jumps there and catches it.</p>
<p><span class="egg white"></span><b>White eggs</b> score 10 points each. Catch enough of them to reach the next
level. Every white egg that breaks costs a try.</p>
<p><span class="egg golden"></span><b>Golden eggs</b> give 100 points and an extra try.</p>
<p><span class="egg spoiled"></span><b>Spoiled eggs</b> must not be caught: let them fall.</p>
<p>You start with six tries. The eggs come faster with every level; the best ten scores go on the high-score
table, where you type your name.</p>
<p>Keys, if you need them: <kbd>&larr;</kbd> <kbd>&rarr;</kbd> turn the menu, <kbd>Enter</kbd> chooses,
<kbd>Esc</kbd> goes back or leaves the game.</p>
</section>

<section>
<h2>Credits</h2>
<p>Zestbox was written by the Zestbox team in C++ with SDL, OpenGL, GStreamer and FreeType.</p>
<p>Every picture, sound and tune in the game was drawn or synthesised by our own resource generator.
Lettering uses free fonts from Debian, among them Comic Neue.</p>
<p>Thank you for playing!</p>
</section>
</main>
</body>
</html>
)";

}  // namespace

bool MakeWebPage(const std::string& resDir) {
  mkdir((resDir + "/web").c_str(), 0755);
  const std::string path = resDir + "/web/index.html";
  std::ofstream file(path, std::ios::trunc);
  file << kPage;
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}
