#include "mp3/read_ahead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "mp3/worker_thread.h"

namespace tarnwick {
namespace {

// Queues the reads of the whole file; returns its size (0 when it is no
// regular file or cannot be opened).
std::int64_t Announce(const std::string& path) {
  // O_NONBLOCK: a FIFO put in the file's place must not block the thread.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return 0;
  struct stat st {};
  std::int64_t size = 0;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    size = st.st_size;
    posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
  }
  close(fd);
  return size;
}

}  // namespace

ReadAhead::ReadAhead() : thread_(StartWorker([this](std::stop_token stop) { Run(stop); })) {}

ReadAhead::~ReadAhead() {
  thread_.request_stop();
  changed_.notify_all();
}

void ReadAhead::Plan(std::vector<std::string> paths) {
  const std::lock_guard lock(mutex_);
  paths_ = std::move(paths);
  sizes_.assign(paths_.size(), 0);
  reached_ = next_ = 0;
  bytes_ahead_ = 0;
  ++plan_;
  changed_.notify_all();
}

void ReadAhead::Reached(std::size_t index) {
  const std::lock_guard lock(mutex_);
  for (; reached_ < index && reached_ < next_; ++reached_) bytes_ahead_ -= sizes_[reached_];
  reached_ = std::max(reached_, index);
  next_ = std::max(next_, reached_);
  changed_.notify_all();
}

// The consumer's own file is always announced; the later ones while the
// budget lasts.
bool ReadAhead::MayAnnounce() const {
  return next_ < paths_.size() && (next_ == reached_ || bytes_ahead_ < kBudgetBytes);
}

void ReadAhead::Run(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  while (changed_.wait(lock, stop, [this] { return MayAnnounce(); }) && !stop.stop_requested()) {
    const std::size_t index = next_;
    const unsigned plan = plan_;
    const std::string path = paths_[index];
    lock.unlock();
    const std::int64_t size = Announce(path);
    lock.lock();
    if (plan == plan_ && index == next_) {
      sizes_[index] = size;
      bytes_ahead_ += size;
      ++next_;
    }
  }
}

}  // namespace tarnwick
