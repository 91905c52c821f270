#include "mp3/guarded_walk.h"

#include <csetjmp>
#include <csignal>

#include "mp3/stream_check.h"

namespace tarnwick {
namespace {

// The walk in progress on this thread: where to jump back to, and the mapped
// bytes whose faults are ours to catch.
thread_local sigjmp_buf* walk_return = nullptr;
thread_local const std::uint8_t* mapped_begin = nullptr;
thread_local const std::uint8_t* mapped_end = nullptr;
struct sigaction previous_action {};

void OnBusError(int, siginfo_t* info, void*) {
  const auto* address = static_cast<const std::uint8_t*>(info->si_addr);
  if (walk_return != nullptr && address >= mapped_begin && address < mapped_end) {
    siglongjmp(*walk_return, 1);
  }
  // Not a fault of the walk: the previous action applies when the faulting
  // instruction runs again.
  sigaction(SIGBUS, &previous_action, nullptr);
}

void InstallHandlerOnce() {
  static const bool installed = [] {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGBUS, &action, &previous_action) == 0;
  }();
  (void)installed;
}

}  // namespace

std::optional<WalkOutcome> WalkMappedFrames(std::span<const std::uint8_t> mapped,
                                            ProblemScan problems) {
  InstallHandlerOnce();
  StreamCheck check(mapped);
  sigjmp_buf here;
  if (sigsetjmp(here, 1) != 0) {
    walk_return = nullptr;
    return std::nullopt;
  }
  mapped_begin = mapped.data();
  mapped_end = mapped.data() + mapped.size();
  walk_return = &here;
  WalkOutcome outcome =
      problems == ProblemScan::kFind ? WalkFrames(mapped, check) : WalkFrames(mapped);
  walk_return = nullptr;
  return outcome;
}

}  // namespace tarnwick
