#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "mp3/frame_header.h"
#include "mp3/frame_layout.h"
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
    if (!TakePlainFrame(position, header)) OnOtherFrame(position, header);
  }

  // Checks the rest of the stream (also after a failed walk), the VBR
  // header's counts and the file as a whole. `failure` is the walk's: a
  // failed walk always leaves a problem.
  std::vector<Problem> Finish(int failure);

 private:
  bool InStream(const TFrameHeader& h) const {
    return established_ && IsUsable(h) && ParamsOf(h) == params_;
  }

  // The common case, kept inline so that a clean stream costs a few
  // comparisons per frame: the next whole frame of the stream, without a CRC
  // and not a Xing/Info frame.
  bool TakePlainFrame(std::int64_t at, const TFrameHeader& h) {
    const std::int64_t end = at + h.frame_length;
    if (at != next_ || end > audio_end_ || h.bitrate <= 0) return false;
    const std::uint8_t* b = bytes_.data() + at;
    // The first letter of "Xing" or "Info" where the tag would stand comes
    // in one frame of a hundred or so, which then gets the full test.
    const std::uint8_t tag_start = b[xing_offset_];
    if (StreamKey(b) != plain_key_ || tag_start == 'X' || tag_start == 'I') return false;
    ++frames_;
    next_ = end;
    return true;
  }

  // Version, layer, protection, sample-rate index and whether the frame is
  // mono, from the header bytes: equal in every frame of one stream.
  static constexpr std::uint32_t StreamKey(const std::uint8_t* b) {
    return (b[1] & 0x1Fu) << 16 | (b[2] & 0x0Cu) << 8 | ((b[3] >> 6) == kSingleChannel);
  }

  void OnOtherFrame(std::int64_t at, const TFrameHeader& h);
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
  void ExplainFailure(int failure);

  std::span<const std::uint8_t> bytes_;
  std::int64_t size_;
  std::optional<Id3v2Tag> id3v2_;
  std::int64_t audio_start_ = 0;
  std::int64_t audio_end_ = 0;
  std::int64_t next_ = 0;  // where the next frame should start
  bool established_ = false;
  StreamParams params_{};
  std::uint32_t plain_key_ = ~0u;  // StreamKey of the stream's frames without a CRC
  std::size_t xing_offset_ = 0;    // where a Xing tag would start; 0 (the sync) when none can
  std::int64_t frames_ = 0;
  std::optional<VbrHeader> vbr_header_;
  std::int64_t vbr_header_at_ = 0;
  ProblemList problems_;
};

}  // namespace tarnwick
