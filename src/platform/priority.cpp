#include "platform/priority.h"

#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tarnwick {
namespace {

// ioprio_set has no glibc wrapper: class in the top bits, level below.
constexpr int kIoprioWhoProcess = 1;
constexpr int kIoprioClassShift = 13;
constexpr int kIoprioClassBestEffort = 2;
constexpr int kIoprioClassIdle = 3;

void SetIoClass(int io_class, int level) {
  syscall(SYS_ioprio_set, kIoprioWhoProcess, 0, (io_class << kIoprioClassShift) | level);
}

}  // namespace

void SetProcessPriority(bool idle) {
  const sched_param param{};
  sched_setscheduler(0, idle ? SCHED_IDLE : SCHED_OTHER, &param);
  SetIoClass(idle ? kIoprioClassIdle : kIoprioClassBestEffort, idle ? 0 : 4);
}

bool ProcessPriorityIsIdle() { return sched_getscheduler(0) == SCHED_IDLE; }

}  // namespace tarnwick
