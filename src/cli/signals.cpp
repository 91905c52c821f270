#include "cli/signals.h"

#include <unistd.h>

#include <csignal>

#include "platform/file_moves.h"

namespace tarnwick::cli {
namespace {

volatile std::sig_atomic_t first_signal = 0;

void OnStopSignal(int number) {
  if (first_signal == 0) {
    first_signal = number;
    return;
  }
  RemoveCopyInProgress();
  _exit(128 + first_signal);
}

}  // namespace

void InstallStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a wait for another run's folder lock returns at once.
  for (const int number : {SIGINT, SIGTERM, SIGHUP}) sigaction(number, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() { return first_signal != 0; }

int StopStatus() { return 128 + first_signal; }

}  // namespace tarnwick::cli
