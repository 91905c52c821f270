#include "mp3/read_ahead.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "mp3/worker_thread.h"

namespace tarnwick {
namespace {

// Read in blocks of this size, so that a stop ends the reading soon.
constexpr std::size_t kBlock = 2 << 20;

UniqueFd OpenFile(const std::string& path) {
  // O_NONBLOCK: a FIFO put in the file's place must not block the thread.
  return UniqueFd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
}

// The size of a regular file; 0 for anything else.
std::int64_t RegularSize(int fd) {
  struct stat st {};
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : 0;
}

// Whether the page at `offset` is in the page cache: a read that must not
// wait for the disk gets its byte.
bool Cached(int fd, off_t offset) {
  char byte;
  iovec vector{&byte, 1};
  return preadv2(fd, &vector, 1, offset, RWF_NOWAIT) == 1;
}

// Sent to /dev/null, the file is read into the page cache and copied nowhere;
// a block whose last page is cached already (a warm cache) is passed over.
// Where that cannot be done, the kernel is asked to read the rest on its own.
void ReadThrough(int fd, std::int64_t size, int null_fd, const std::stop_token& stop) {
  off_t offset = 0;
  while (offset < size && !stop.stop_requested()) {
    const off_t end = std::min<off_t>(offset + kBlock, size);
    if (Cached(fd, end - 1)) {
      offset = end;
      continue;
    }
    const ssize_t sent = sendfile(null_fd, fd, &offset, static_cast<size_t>(end - offset));
    if (sent > 0 || (sent < 0 && errno == EINTR)) continue;
    posix_fadvise(fd, offset, 0, POSIX_FADV_WILLNEED);
    return;
  }
}

}  // namespace

ReadAhead::ReadAhead() : null_(open("/dev/null", O_WRONLY | O_CLOEXEC)) {
  for (unsigned t = 0; t < kThreads; ++t) {
    threads_.push_back(StartWorker([this](std::stop_token stop) { Run(stop); }));
  }
}

ReadAhead::~ReadAhead() {
  for (std::jthread& thread : threads_) thread.request_stop();
  changed_.notify_all();
}

void ReadAhead::Plan(Paths paths) {
  const std::lock_guard lock(mutex_);
  paths_ = std::move(paths);
  sizes_.assign(paths_->size(), 0);
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

// The consumer's own file is always read; the later ones while the budget
// lasts.
bool ReadAhead::MayStart() const {
  return next_ < paths_->size() && (next_ == reached_ || bytes_ahead_ < kBudgetBytes);
}

void ReadAhead::CountAhead(std::size_t index, unsigned plan, std::int64_t size) {
  if (plan != plan_ || index < reached_) return;
  sizes_[index] = size;
  bytes_ahead_ += size;
}

void ReadAhead::Run(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  while (changed_.wait(lock, stop, [this] { return MayStart(); }) && !stop.stop_requested()) {
    const std::size_t index = next_++;
    const unsigned plan = plan_;
    const std::string path = (*paths_)[index];
    lock.unlock();
    const UniqueFd file = OpenFile(path);
    const std::int64_t size = file ? RegularSize(file.get()) : 0;
    lock.lock();
    CountAhead(index, plan, size);
    lock.unlock();
    if (size > 0) ReadThrough(file.get(), size, null_.get(), stop);
    lock.lock();
  }
}

}  // namespace tarnwick
