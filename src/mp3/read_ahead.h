#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace tarnwick {

// Has the kernel read the files a consumer needs next into the page cache,
// from a thread of its own, while the consumer works on earlier ones. Each
// file is announced whole (posix_fadvise WILLNEED), which queues its reads at
// once: the disk always has the next files to read instead of waiting for a
// page fault between two files. It stays at most kBudgetBytes (and at least
// one file) ahead of the consumer, so that what it reads is still cached when
// it is needed. A hint only: a file it cannot open is left to the consumer.
class ReadAhead {
 public:
  static constexpr std::int64_t kBudgetBytes = 64 << 20;

  ReadAhead();
  // Stops the thread after the file it is announcing.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Replaces the files to read ahead, in the order they will be needed.
  void Plan(std::vector<std::string> paths);
  // The consumer has begun the file at `index` of the plan; earlier files are
  // no longer counted as ahead.
  void Reached(std::size_t index);

 private:
  void Run(std::stop_token stop);
  bool MayAnnounce() const;

  std::mutex mutex_;
  std::condition_variable_any changed_;
  std::vector<std::string> paths_;
  std::vector<std::int64_t> sizes_;  // of the files announced
  std::size_t reached_ = 0;          // the consumer's file
  std::size_t next_ = 0;             // the next file to announce
  std::int64_t bytes_ahead_ = 0;     // announced in [reached_, next_)
  unsigned plan_ = 0;                // counts the plans, so a stale announcement is not counted
  std::jthread thread_;              // last: stops before the state it uses goes
};

}  // namespace tarnwick
