#include "DemoRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void StartProgram(const std::string& folder, std::vector<std::string> arguments, int outputFd) {
  dup2(outputFd, 1);
  dup2(outputFd, 2);
  if (chdir(folder.c_str()) != 0) _exit(126);
  std::vector<char*> argv{const_cast<char*>(ZESTBOX_PROGRAM)};
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execv(ZESTBOX_PROGRAM, argv.data());
  _exit(127);
}

}  // namespace

unsigned CDemoRun::Seed() {
  const char* seed = std::getenv("ZESTBOX_E2E_SEED");
  return seed != nullptr && std::atoi(seed) > 0 ? static_cast<unsigned>(std::atoi(seed)) : 1u;
}

CDemoRun::CDemoRun(const std::vector<std::string>& arguments, const std::string& camIni) {
  const char* source = std::getenv("ZESTBOX_SOURCE_DIR");
  std::filesystem::create_symlink(std::filesystem::path(source != nullptr ? source : "..") / "res", folder.File("res"));
  if (!camIni.empty()) WriteFile(folder.File("cam.ini"), camIni);
  std::vector<std::string> all{"--windowed", "--demo", "--fixed-step", "40", "--seed", std::to_string(Seed()),
                               "--demo-out", "out"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  int fds[2];
  if (pipe(fds) != 0) return;
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    StartProgram(folder.Path(), all, fds[1]);
  }
  close(fds[1]);
  char buffer[4096];
  ssize_t got = 0;
  while ((got = read(fds[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(got));
  close(fds[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) exitCode = WEXITSTATUS(status);
  std::ifstream file(folder.File("out/summary.txt"));
  std::string line;
  while (std::getline(file, line)) {
    const size_t colon = line.find(": ");
    if (colon != std::string::npos) summary[line.substr(0, colon)] = line.substr(colon + 2);
  }
}

std::string CDemoRun::Summary(const std::string& key) const {
  const auto found = summary.find(key);
  return found != summary.end() ? found->second : std::string();
}

int CDemoRun::Number(const std::string& key) const { return std::atoi(Summary(key).c_str()); }

std::vector<std::string> CDemoRun::Screens() const {
  std::vector<std::string> screens;
  std::istringstream list(Summary("screens"));
  std::string screen;
  while (std::getline(list, screen, ',')) {
    while (!screen.empty() && screen.front() == ' ') screen.erase(0, 1);
    screens.push_back(screen);
  }
  return screens;
}
