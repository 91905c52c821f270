#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

namespace tarnwick {

// Failure codes of positioned reads, numbered as the analysis reports them.
inline constexpr int kReadBeyondEnd = 100;
inline constexpr int kPositionBeforeStart = 131;

// Bytes in memory (a buffer or a mapped file) read with the rules of a file
// opened for reading: a read of n bytes fails when fewer than n remain, a
// position past the end is allowed and counts as the end, a position before
// the start fails. Everything is inline: the frame walk calls it a few times
// per frame.
class ByteSource {
 public:
  explicit ByteSource(std::span<const std::uint8_t> bytes)
      : data_(bytes.data()), size_(static_cast<std::int64_t>(bytes.size())) {}

  bool AtEnd() const { return position_ >= size_; }
  std::int64_t Position() const { return position_; }

  // 0, or kPositionBeforeStart for a negative position.
  int Seek(std::int64_t position) {
    if (position < 0) return kPositionBeforeStart;
    position_ = position;
    return 0;
  }

  // The next `count` bytes, moving past them; null (a kReadBeyondEnd failure)
  // when fewer remain.
  const std::uint8_t* Read(std::int64_t count) {
    if (size_ - position_ < count) return nullptr;
    const std::uint8_t* bytes = data_ + position_;
    position_ += count;
    return bytes;
  }

  // Asks the memory system to start loading the cache lines from the
  // position up to `end` that an earlier call has not asked for. A hint
  // only: nothing is read.
  void PrefetchUpTo(std::int64_t end) {
    constexpr std::int64_t kCacheLine = 64;
    end = std::min(end, size_);
    for (prefetched_ = std::max(prefetched_, position_); prefetched_ < end;
         prefetched_ += kCacheLine) {
      __builtin_prefetch(data_ + prefetched_);
    }
  }

  // One byte; only for callers that have just seen AtEnd() false.
  std::uint8_t Next() { return data_[position_++]; }

 private:
  const std::uint8_t* data_;
  std::int64_t size_;
  std::int64_t position_ = 0;
  std::int64_t prefetched_ = 0;
};

}  // namespace tarnwick
