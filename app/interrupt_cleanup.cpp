#include "app/interrupt_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstddef>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace scenario {

namespace {

using Char = std::filesystem::path::value_type;

// A run registers at most a handful of files at once: the three binary
// files being staged, a text being replaced and the two source texts.
constexpr int kSlots = 16;
constexpr size_t kPathChars = 4096;

enum SlotState : int { kFree = 0, kFilling = 1, kReady = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  Char path[kPathChars];
};

// The registry the interruption handler reads. Its atomics are lock-free on
// every platform this builds for, so the handler may read them.
Slot g_slots[kSlots];

static_assert(std::atomic<int>::is_always_lock_free);

void remove_registered() {
  for (Slot& s : g_slots) {
    if (s.state.load(std::memory_order_acquire) != kReady) continue;
#ifdef _WIN32
    DeleteFileW(s.path);
#else
    ::unlink(s.path);
#endif
  }
}

#ifdef _WIN32

BOOL WINAPI on_console_event(DWORD) {
  remove_registered();
  return FALSE;  // the default handler then ends the process
}

#else

void on_signal(int sig) {
  remove_registered();
  // The handler was installed to run once (SA_RESETHAND): raising the
  // signal again ends the process by it once the handler returns.
  ::raise(sig);
}

void handle(int sig) {
  struct sigaction current {};
  if (::sigaction(sig, nullptr, &current) != 0) return;
  // A signal the caller chose to ignore (nohup, a background job) stays ignored.
  if (current.sa_handler == SIG_IGN) return;
  struct sigaction act {};
  act.sa_handler = on_signal;
  sigemptyset(&act.sa_mask);
  act.sa_flags = SA_RESETHAND;
  ::sigaction(sig, &act, nullptr);
}

#endif

}  // namespace

void prepare_process_for_interruptions() {
#ifdef _WIN32
  SetConsoleCtrlHandler(on_console_event, TRUE);
#else
  std::signal(SIGXFSZ, SIG_IGN);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) handle(sig);
#endif
}

#ifdef _WIN32
InterruptionsHeld::InterruptionsHeld() {}
InterruptionsHeld::~InterruptionsHeld() {}
#else
InterruptionsHeld::InterruptionsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, sig);
  ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

InterruptionsHeld::~InterruptionsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
#endif

RemoveOnInterrupt::RemoveOnInterrupt(const std::filesystem::path& path) {
  const auto& native = path.native();
  if (native.size() >= kPathChars) return;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!g_slots[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) continue;
    native.copy(g_slots[i].path, native.size());
    g_slots[i].path[native.size()] = Char(0);
    g_slots[i].state.store(kReady, std::memory_order_release);
    slot_ = i;
    return;
  }
}

RemoveOnInterrupt::~RemoveOnInterrupt() { release(); }

RemoveOnInterrupt::RemoveOnInterrupt(RemoveOnInterrupt&& other) noexcept : slot_(other.slot_) { other.slot_ = -1; }

void RemoveOnInterrupt::release() {
  if (slot_ < 0) return;
  g_slots[slot_].state.store(kFree, std::memory_order_release);
  slot_ = -1;
}

}  // namespace scenario
