#pragma once

namespace tarnwick {

// Idle: the idle CPU policy and the idle I/O class, so a long run never slows
// the desktop; otherwise the normal policy with best-effort I/O. A refusal by
// the system is ignored.
void SetProcessPriority(bool idle);

// True when the process runs with the idle CPU policy.
bool ProcessPriorityIsIdle();

}  // namespace tarnwick
