// Starts one of the built programs as a child process that the test can
// limit, interrupt or kill while it runs, and waits for how it ended
// (POSIX only: the tests that need it are not part of the Windows build).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "app/disk_sources.h"

namespace scenario::testing {

struct ChildOptions {
  std::filesystem::path cwd;
  rlim_t file_size_limit = RLIM_INFINITY;  // RLIMIT_FSIZE of the child
  std::filesystem::path out;               // stdout and stderr of the child
  std::filesystem::path err;
};

struct ChildEnd {
  int status = -1;  // exit status; -1 when a signal ended it
  int signal = 0;   // the signal that ended it, or 0
  std::string out, err;
};

// Starts exe with the arguments; returns its process id, or -1. The child
// starts with the default action for every signal the test sends, whatever
// the test runner set.
inline pid_t start_child(const std::string& exe, const std::vector<std::string>& args, const ChildOptions& o) {
  const pid_t child = fork();
  if (child != 0) return child;
  for (int sig : {SIGINT, SIGTERM, SIGXFSZ}) signal(sig, SIG_DFL);
  if (!o.cwd.empty() && chdir(o.cwd.c_str()) != 0) _exit(126);
  const int in = open("/dev/null", O_RDONLY);
  const int out = open(o.out.empty() ? "/dev/null" : o.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = open(o.err.empty() ? "/dev/null" : o.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0 || err < 0) _exit(126);
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  if (o.file_size_limit != RLIM_INFINITY) {
    const rlimit lim{o.file_size_limit, o.file_size_limit};
    setrlimit(RLIMIT_FSIZE, &lim);
  }
  std::vector<std::string> copies = args;
  std::vector<char*> argv;
  std::string program = exe;
  argv.push_back(program.data());
  for (auto& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

// Waits for the child and reads what it printed.
inline ChildEnd wait_child(pid_t child, const ChildOptions& o) {
  int raw = 0;
  while (waitpid(child, &raw, 0) < 0 && errno == EINTR) {
  }
  ChildEnd end;
  if (WIFEXITED(raw)) end.status = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) end.signal = WTERMSIG(raw);
  if (!o.out.empty()) end.out = read_whole_file(o.out).value_or("");
  if (!o.err.empty()) end.err = read_whole_file(o.err).value_or("");
  return end;
}

inline ChildEnd run_child(const std::string& exe, const std::vector<std::string>& args, const ChildOptions& o) {
  return wait_child(start_child(exe, args, o), o);
}

}  // namespace scenario::testing
