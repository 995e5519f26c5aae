#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

// The real program, started as a process in a folder of its own with the
// game's resources; its standard output and error are read line by line.
class ProgramRun {
 public:
  // `debug`: the program writes its debugging output (ZESTBOX_DEBUG).
  // `environment`: variables set for the program alone ("NAME=VALUE").
  explicit ProgramRun(std::vector<std::string> arguments, bool debug = false,
                      const std::vector<std::string>& environment = {}) {
    const char* source = std::getenv("ZESTBOX_SOURCE_DIR");
    std::filesystem::create_symlink(std::filesystem::path(source != nullptr ? source : "..") / "res", folder.File("res"));
    const std::string program =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "zestbox").string();
    int fds[2];
    if (pipe(fds) != 0) {
      return;
    }
    pid = fork();
    if (pid == 0) {
      dup2(fds[1], 1);
      dup2(fds[1], 2);
      close(fds[0]);
      close(fds[1]);
      if (chdir(folder.Path().c_str()) != 0) {
        _exit(126);
      }
      if (debug) {
        setenv("ZESTBOX_DEBUG", "1", 1);
      }
      for (const std::string& variable : environment) {
        const size_t equals = variable.find('=');
        setenv(variable.substr(0, equals).c_str(), variable.substr(equals + 1).c_str(), 1);
      }
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (std::string& argument : arguments) {
        argv.push_back(argument.data());
      }
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(fds[1]);
    output = fdopen(fds[0], "r");
  }
  ~ProgramRun() {
    if (output != nullptr) {
      std::fclose(output);
    }
  }
  // The next line of output without its end; false at the end of the output.
  bool ReadLine(std::string& line) {
    char buffer[4096];
    if (output == nullptr || std::fgets(buffer, sizeof buffer, output) == nullptr) {
      return false;
    }
    line = buffer;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
      line.pop_back();
    }
    return true;
  }
  void Terminate() const { kill(pid, SIGTERM); }
  // The exit code, or -1 when the program did not exit by itself.
  int Wait() const {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
      return -1;
    }
    return WEXITSTATUS(status);
  }
  std::string File(const std::string& name) const { return folder.File(name); }

 private:
  TempFolder folder;
  pid_t pid = -1;
  FILE* output = nullptr;
};
