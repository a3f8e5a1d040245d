// What a run does when it is interrupted (Ctrl+C, SIGTERM, SIGHUP, or the
// console closing on Windows): it removes the files it created and that
// must not outlive it, then ends as the interruption asks. The files are
// kept in a small fixed registry that the signal handler reads without
// allocating; it is the one piece of process-wide state, and only paths are
// registered whose files the run itself created.
#pragma once

#include <filesystem>

#ifndef _WIN32
#include <signal.h>
#endif

namespace scenario {

// Prepares the process at start-up: a write past the file size limit fails
// with an error instead of killing the program (SIGXFSZ is ignored), and an
// interruption removes the registered files before the program ends. Both
// programs call it first thing in main.
void prepare_process_for_interruptions();

// Registers a file to remove if the run is interrupted while the guard
// lives. A path too long for the registry, or a full registry, is not
// registered: such a file is then left for the next run's clearing.
class RemoveOnInterrupt {
 public:
  explicit RemoveOnInterrupt(const std::filesystem::path& path);
  ~RemoveOnInterrupt();
  RemoveOnInterrupt(RemoveOnInterrupt&& other) noexcept;
  RemoveOnInterrupt& operator=(RemoveOnInterrupt&&) = delete;
  RemoveOnInterrupt(const RemoveOnInterrupt&) = delete;
  RemoveOnInterrupt& operator=(const RemoveOnInterrupt&) = delete;

  // Forgets the file without removing it (it was renamed or deleted).
  void release();

 private:
  int slot_ = -1;
};

// Holds back Ctrl+C, SIGTERM and SIGHUP while it lives, so that a few
// renames that belong together are all done or none; an interruption that
// came meanwhile takes effect when the holder ends. SIGKILL cannot be held
// back. Does nothing on Windows.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

 private:
#ifndef _WIN32
  sigset_t previous_;  // the signal mask before
#endif
};

}  // namespace scenario
