#include "app/DemoPlan.h"

#include <cctype>
#include <sstream>

#include "base/Texts.h"

namespace {

constexpr int32_t kGame = 0;
constexpr int32_t kScores = 5;
constexpr int32_t kQuit = 7;
constexpr size_t kLongestName = 8;

bool ReadNumber(const std::string& text, int32_t low, int32_t high, int32_t& value) {
  if (text.empty() || text.size() > 4) return false;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  value = std::stoi(text);
  return value >= low && value <= high;
}

bool ValidName(const std::string& name) {
  if (name.empty() || name.size() > kLongestName) return false;
  for (const char c : name) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && !std::islower(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool ReadSetting(const std::string& key, const std::string& value, DemoPlan& plan) {
  if (key == "misses") return ReadNumber(value, 0, 100, plan.missPercent);
  if (key == "tired") return ReadNumber(value, 0, 9999, plan.tiredFromLevel);
  if (key == "name") {
    plan.name = value;
    return ValidName(value);
  }
  if (key == "again") {
    plan.playAgain = value == "yes";
    return value == "yes" || value == "no";
  }
  return false;
}

}  // namespace

bool ParseDemoPlan(const std::string& text, DemoPlan& plan, std::string& error) {
  std::vector<int32_t> choices;
  std::istringstream words(text);
  std::string word;
  while (std::getline(words, word, ',')) {
    const size_t equals = word.find('=');
    bool known = true;
    if (word == "game") {
      choices.push_back(kGame);
    } else if (word == "scores") {
      choices.push_back(kScores);
    } else if (word == "quit") {
      choices.push_back(kQuit);
    } else {
      known = equals != std::string::npos && ReadSetting(word.substr(0, equals), word.substr(equals + 1), plan);
    }
    if (!known) {
      error = FormatText(Translate("the demo plan does not understand '%s'"), {word});
      return false;
    }
  }
  if (!choices.empty()) plan.titleChoices = choices;
  return true;
}
