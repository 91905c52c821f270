#include "mp3/worker_thread.h"

#include <pthread.h>

namespace tarnwick {

AsyncSignalsBlocked::AsyncSignalsBlocked() {
  sigset_t blocked;
  sigfillset(&blocked);
  // Blocking these would not hold them back: a fault that raises one while
  // it is blocked ends the process.
  for (const int fault : {SIGBUS, SIGSEGV, SIGFPE, SIGILL, SIGTRAP, SIGSYS, SIGABRT}) {
    sigdelset(&blocked, fault);
  }
  pthread_sigmask(SIG_BLOCK, &blocked, &previous_);
}

AsyncSignalsBlocked::~AsyncSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace tarnwick
