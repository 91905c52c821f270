#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "mp3/frame_header.h"
#include "mp3/frame_run.h"
#include "mp3/id3v2_tag.h"
#include "mp3/problems.h"
#include "mp3/xing_header.h"

namespace tarnwick {

// Finds the problems of an MP3 stream while the frame walk goes over it.
//
// The walk takes any 0xFF followed by a byte from 0xE0 up as a frame. The
// check holds a stricter view: a frame is a usable header (frame_run.h) of
// the stream's parameters exactly where the frame before it ends. On a clean
// stream both views agree at every header, so the check costs a comparison
// per frame. Where they part, the check looks for the next run of frames
// itself and names what lies between, once per gap; it never reads more than
// the headers around the damage.
class StreamCheck {
 public:
  // Reads nothing yet: Start does, when the walk starts.
  explicit StreamCheck(std::span<const std::uint8_t> bytes)
      : bytes_(bytes), size_(static_cast<std::int64_t>(bytes.size())) {}

  // Finds the tags at both ends of the file.
  void Start();

  // Each header the walk reads, with the header it decoded there.
  void OnFrame(std::int64_t position, const TFrameHeader& header) {
    if (position == next_ && position < audio_end_ && InStream(header)) {
      Accept(position, header);
    } else {
      CatchUp(position);
    }
  }

  // Checks the rest of the stream (also after a failed walk), the VBR
  // header's counts and the file as a whole.
  std::vector<Problem> Finish();

 private:
  bool InStream(const TFrameHeader& h) const {
    return established_ && IsUsable(h) && ParamsOf(h) == params_;
  }
  void CheckTagSize();
  void CatchUp(std::int64_t target);
  void Step();
  void Accept(std::int64_t at, const TFrameHeader& h);
  void ChangeStream(std::int64_t at, const TFrameHeader& h);
  void CheckCrc(std::int64_t at, std::span<const std::uint8_t> frame, const TFrameHeader& h);
  void Resync(std::int64_t at);
  void EndInsideHeader(std::int64_t at);
  void ReportGap(std::int64_t from, std::int64_t to);
  void CheckVbrHeader();
  void CheckFormat();

  std::span<const std::uint8_t> bytes_;
  std::int64_t size_;
  std::optional<Id3v2Tag> id3v2_;
  std::int64_t audio_start_ = 0;
  std::int64_t audio_end_ = 0;
  std::int64_t next_ = 0;  // where the next frame should start
  bool established_ = false;
  StreamParams params_{};
  std::int64_t frames_ = 0;
  std::optional<VbrHeader> vbr_header_;
  std::int64_t vbr_header_at_ = 0;
  ProblemList problems_;
};

}  // namespace tarnwick
