#pragma once
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

// The real program (or `program`, looked up on the PATH), started as a
// process in a folder of its own with the game's resources; its standard
// output and error are read together. It goes with the test, however the
// test ends.
class ProgramRun {
 public:
  // `environment`: "NAME=VALUE" is set for the program alone, a bare "NAME"
  // is taken away from it.
  explicit ProgramRun(std::vector<std::string> arguments, const std::vector<std::string>& environment = {},
                      std::string program = "") {
    const char* source = std::getenv("ZESTBOX_SOURCE_DIR");
    std::filesystem::create_symlink(std::filesystem::path(source != nullptr ? source : "..") / "res", folder.File("res"));
    if (program.empty())
      program = (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "zestbox").string();
    int fds[2];
    if (pipe(fds) != 0) return;
    pid = fork();
    if (pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      dup2(fds[1], 1);
      dup2(fds[1], 2);
      close(fds[0]);
      close(fds[1]);
      if (chdir(folder.Path().c_str()) != 0) _exit(126);
      for (const std::string& variable : environment) {
        const size_t equals = variable.find('=');
        if (equals == std::string::npos) unsetenv(variable.c_str());
        else setenv(variable.substr(0, equals).c_str(), variable.substr(equals + 1).c_str(), 1);
      }
      std::vector<char*> argv{program.data()};
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execvp(program.c_str(), argv.data());
      _exit(127);
    }
    close(fds[1]);
    output = fds[0];
  }
  ~ProgramRun() {
    if (output >= 0) close(output);
    if (!waited) {
      Terminate();
      Wait();
    }
  }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  // Everything still to come, until the program closes its output or
  // `until` has come; a program still writing after `seconds` is killed (and
  // its exit code is then -1).
  std::string ReadAll(int seconds = 3600, const std::string& until = "") {
    std::string all;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    pollfd readable{output, POLLIN, 0};
    while (output >= 0 && (until.empty() || all.find(until) == std::string::npos)) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 || poll(&readable, 1, int(left.count())) <= 0) {
        kill(pid, SIGKILL);
        break;
      }
      char buffer[4096];
      const ssize_t got = read(readable.fd, buffer, sizeof buffer);
      if (got <= 0) break;
      all.append(buffer, size_t(got));
    }
    return all;
  }
  void Terminate() const { kill(pid, SIGTERM); }
  // The exit code, or -1 when the program did not exit by itself.
  int Wait() {
    int status = 0;
    const bool exited = pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
    waited = true;
    return exited ? WEXITSTATUS(status) : -1;
  }
  std::string File(const std::string& name) const { return folder.File(name); }

 private:
  TempFolder folder;
  pid_t pid = -1;
  int output = -1;  // the read end of the program's output
  bool waited = false;
};
