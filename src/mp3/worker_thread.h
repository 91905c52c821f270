#pragma once

#include <csignal>
#include <thread>
#include <utility>

namespace tarnwick {

// Blocks, on the calling thread for as long as it lives, every signal that
// is not raised by a fault of the thread's own code.
class AsyncSignalsBlocked {
 public:
  AsyncSignalsBlocked();
  ~AsyncSignalsBlocked();
  AsyncSignalsBlocked(const AsyncSignalsBlocked&) = delete;
  AsyncSignalsBlocked& operator=(const AsyncSignalsBlocked&) = delete;

 private:
  sigset_t previous_;
};

// A thread for work beside the caller's. It takes none of the process's
// signals (a stop, Ctrl-C, a closed pipe): they reach the run's thread, whose
// waits they are meant to end. The faults of its own work (SIGBUS from a file
// cut short while mapped) still reach it.
template <typename Work>
std::jthread StartWorker(Work&& work) {
  const AsyncSignalsBlocked blocked;  // the new thread inherits the mask
  return std::jthread(std::forward<Work>(work));
}

}  // namespace tarnwick
