#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the virtual player of --demo sets out to do, from the --demo-plan
// text: comma-separated words, in any order.
//   game, scores, quit   the title choices, in turn; the last one repeats
//   misses=P             P percent of the eggs misjudged (0..100)
//   tired=L              from level L on every egg is missed (0: never)
//   name=TEXT            the name typed for a high score (letters, digits, 1..8)
//   again=yes|no         the answer to "Play again ?"
struct DemoPlan {
  // The title's option values (0 the game, 5 high scores, 7 quit).
  std::vector<int32_t> titleChoices{0};
  int32_t missPercent = 10;
  int32_t tiredFromLevel = 0;
  std::string name = "demo";
  bool playAgain = true;
};

// Reads `text` into `plan` (an empty text keeps the defaults). False, with
// the reason in `error`, for a word it does not know or a value out of range.
bool ParseDemoPlan(const std::string& text, DemoPlan& plan, std::string& error);
