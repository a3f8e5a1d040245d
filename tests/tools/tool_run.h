// Runs the scenario executable as a separate process, as an author or a
// script would, and captures its exit status, stdout and stderr.
#pragma once

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/disk_sources.h"

namespace scenario::testing {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// The bytes of a file; empty when it cannot be read.
inline std::string slurp(const fs::path& p) { return read_whole_file(p).value_or(std::string()); }

inline int process_id() {
#ifdef _WIN32
  return _getpid();
#else
  return getpid();
#endif
}

inline std::string shell_quote(const std::string& s) {
#ifdef _WIN32
  return "\"" + s + "\"";  // the arguments of the tests hold no quotes
#else
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
#endif
}

// A fresh, empty directory for one test.
inline fs::path scratch_dir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("tool-test-" + std::to_string(process_id()) + "-" + name);
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

// Bounds on a child run (POSIX only; ignored on Windows): a run that takes
// longer than seconds is ended (status 124), and memory_kib limits the
// child's address space.
struct RunBounds {
  int seconds = 0;
  long memory_kib = 0;
};

// Runs SCENARIO_EXE with the arguments in the directory cwd.
inline ToolRun run_tool(const std::vector<std::string>& args, const fs::path& cwd, const RunBounds& bounds = {}) {
  const fs::path out = cwd / ".tool-stdout";
  const fs::path err = cwd / ".tool-stderr";
#ifdef _WIN32
  std::string cmd = "cd /d ";
#else
  std::string cmd = "cd ";
#endif
  cmd += shell_quote(cwd.string());
  cmd += " && ";
#ifndef _WIN32
  if (bounds.memory_kib > 0) cmd += "ulimit -v " + std::to_string(bounds.memory_kib) + " && ";
  if (bounds.seconds > 0) cmd += "timeout -k 5 " + std::to_string(bounds.seconds) + " ";
#else
  (void)bounds;
#endif
  cmd += shell_quote(SCENARIO_EXE);
  for (const auto& a : args) {
    cmd += ' ';
    cmd += shell_quote(a);
  }
#ifdef _WIN32
  cmd += " <NUL >";
#else
  cmd += " </dev/null >";
#endif
  cmd += shell_quote(out.string());
  cmd += " 2>";
  cmd += shell_quote(err.string());
  const int raw = std::system(cmd.c_str());
  ToolRun r;
#ifdef _WIN32
  r.status = raw;
#else
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  r.out = slurp(out);
  r.err = slurp(err);
#ifdef _WIN32
  // The console streams end lines with CR LF there.
  for (std::string* s : {&r.out, &r.err}) s->erase(std::remove(s->begin(), s->end(), '\r'), s->end());
#endif
  fs::remove(out);
  fs::remove(err);
  return r;
}

}  // namespace scenario::testing
