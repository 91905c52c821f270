#include "mp3/stream_check.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "mp3/byte_source.h"
#include "mp3/crc16.h"
#include "mp3/format_sniff.h"
#include "mp3/frame_layout.h"
#include "mp3/trailing_tags.h"

namespace tarnwick {
namespace {

using Kind = Problem::Kind;

// The protection bit in StreamCheck::StreamKey: set when the frame has no CRC.
constexpr std::uint32_t kNoCrcBit = 1u << 16;

std::string Bytes(std::int64_t count) {
  return GroupedNumber(count) + (count == 1 ? " byte" : " bytes");
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::int64_t at, std::string_view text) {
  return static_cast<std::int64_t>(bytes.size()) - at >= static_cast<std::int64_t>(text.size()) &&
         std::equal(text.begin(), text.end(), bytes.begin() + at);
}

// Names a tag found between frames, which tells of files joined together.
const char* TagHint(std::span<const std::uint8_t> bytes, std::int64_t at) {
  if (StartsWith(bytes, at, "ID3")) return " (an ID3v2 tag)";
  if (StartsWith(bytes, at, "TAG")) return " (an ID3v1 tag)";
  if (StartsWith(bytes, at, "APETAGEX")) return " (an APE tag)";
  if (StartsWith(bytes, at, "LYRICSBEGIN")) return " (a Lyrics3 tag)";
  return "";
}

}  // namespace

void StreamCheck::Start() {
  id3v2_ = ReadId3v2Tag(bytes_);
  audio_start_ = id3v2_ ? std::min(id3v2_->end, size_) : 0;
  audio_end_ = AudioEnd(bytes_, id3v2_ ? std::min(id3v2_->frames_end, size_) : 0);
  if (id3v2_) CheckTagSize();
  next_ = audio_start_;
}

// A tag whose size reaches past its own frames and padding into MPEG frames
// hides them from the walk: the audio starts at the first run inside it.
void StreamCheck::CheckTagSize() {
  if (id3v2_->frames_end >= audio_start_) return;
  const std::int64_t first = FindRun(bytes_, id3v2_->frames_end, audio_start_, audio_end_);
  if (first == audio_start_) return;
  problems_.Add(Kind::kTagSize, first,
                "the ID3v2 tag's size (" + Bytes(id3v2_->end) + ") reaches " +
                    Bytes(id3v2_->end - first) + " past the first frame");
  audio_start_ = first;
}

void StreamCheck::OnOtherFrame(std::int64_t at, const TFrameHeader& h) {
  if (at == next_ && at < audio_end_ && InStream(h)) {
    Accept(at, h);
  } else {
    CatchUp(at);
  }
}

void StreamCheck::CatchUp(std::int64_t target) {
  while (next_ <= target && next_ < audio_end_) Step();
}

void StreamCheck::Step() {
  const std::int64_t at = next_;
  if (audio_end_ - at < 4) return EndInsideHeader(at);
  if (const std::optional<TFrameHeader> h = UsableHeaderAt(bytes_, at, audio_end_)) {
    if (InStream(*h)) return Accept(at, *h);
    if (StartsRun(bytes_, at, *h, audio_end_)) return ChangeStream(at, *h);
  }
  Resync(at);
}

void StreamCheck::Accept(std::int64_t at, const TFrameHeader& h) {
  const std::int64_t end = at + h.frame_length;
  const auto frame = bytes_.subspan(static_cast<std::size_t>(at),
                                    static_cast<std::size_t>(std::min(end, audio_end_) - at));
  if (frames_ == 0) {
    vbr_header_ = ReadVbrHeader(frame, h);
    vbr_header_at_ = at;
  } else if (HasXingTag(frame, h)) {
    problems_.Add(Kind::kStreamChange, at, "a second Xing/Info frame: files joined together");
  }
  if (HasCrc(h)) CheckCrc(at, frame, h);
  ++frames_;
  next_ = std::min(end, audio_end_);
  if (end > audio_end_) problems_.Add(Kind::kTruncated, at, Bytes(end - audio_end_) + " missing");
}

void StreamCheck::ChangeStream(std::int64_t at, const TFrameHeader& h) {
  const StreamParams params = ParamsOf(h);
  if (established_) {
    problems_.Add(Kind::kStreamChange, at, Describe(params_) + " to " + Describe(params));
  }
  established_ = true;
  params_ = params;
  plain_key_ = StreamKey(bytes_.data() + at) | kNoCrcBit;
  TFrameHeader plain = h;
  plain.protection = 1;
  xing_offset_ = h.layer == kLayerIII ? static_cast<std::size_t>(SideInfoEnd(plain)) : 0;
  Accept(at, h);
}

void StreamCheck::CheckCrc(std::int64_t at, std::span<const std::uint8_t> frame,
                           const TFrameHeader& h) {
  const std::optional<FrameCrc> crc = ReadFrameCrc(frame, h);
  if (!crc || crc->stored == crc->computed) return;
  char detail[64];
  std::snprintf(detail, sizeof detail, "stored %04X, computed %04X", crc->stored, crc->computed);
  problems_.Add(Kind::kCrc, at, detail);
}

void StreamCheck::Resync(std::int64_t at) {
  const std::int64_t found = FindRun(bytes_, at + 1, audio_end_, audio_end_);
  ReportGap(at, found);
  next_ = found;
}

// Fewer than 4 bytes left: the start of a header cut off, or junk.
void StreamCheck::EndInsideHeader(std::int64_t at) {
  const std::int64_t left = audio_end_ - at;
  const std::uint8_t* b = bytes_.data() + at;
  if (frames_ > 0 && b[0] == 0xFF && (left == 1 || b[1] >= 0xE0)) {
    problems_.Add(
        Kind::kTruncated, at,
        "the stream ends inside a frame header (" + std::to_string(left) + " of 4 bytes)");
  } else {
    ReportGap(at, audio_end_);
  }
  next_ = audio_end_;
}

void StreamCheck::ReportGap(std::int64_t from, std::int64_t to) {
  // Without a single frame the whole file is one gap: "not mp3" says that.
  if (to <= from || (frames_ == 0 && to == audio_end_)) return;
  const std::int64_t length = to - from;
  if (from == audio_start_ && id3v2_) {
    problems_.Add(Kind::kTagSize, from,
                  "the ID3v2 tag ends " + Bytes(length) + " before the first frame");
    return;
  }
  const char* where = from == audio_start_ ? " before the first frame"
                      : to == audio_end_   ? " after the last frame"
                                           : " between frames";
  const auto gap = bytes_.subspan(static_cast<std::size_t>(from), static_cast<std::size_t>(length));
  if (std::all_of(gap.begin(), gap.end(), [](std::uint8_t b) { return b == 0; })) {
    problems_.Add(Kind::kZeros, from, Bytes(length) + " of zeros" + where);
  } else {
    problems_.Add(Kind::kJunk, from, Bytes(length) + where + TagHint(bytes_, from));
  }
}

std::vector<Problem> StreamCheck::Finish(int failure) {
  while (next_ < audio_end_) Step();
  CheckVbrHeader();
  CheckFormat();
  ExplainFailure(failure);
  return problems_.Take();
}

// The walk takes a sync among the last three bytes for a header it cannot
// read, also inside a trailing tag, where the stricter view sees nothing
// amiss; the failed walk still needs its reason.
void StreamCheck::ExplainFailure(int failure) {
  if (failure == 0 || !problems_.empty()) return;
  if (failure == kReadBeyondEnd) {
    problems_.Add(Kind::kTruncated, std::max<std::int64_t>(size_ - 3, 0),
                  "the file ends with the start of a frame header");
  } else {
    problems_.Add(Kind::kNotMp3, 0, "no frame the analysis can read");
  }
}

// Encoders write the number of frames after the VBR header's own frame, and
// the bytes from that frame to the end of the audio (some count the whole
// file instead). VBRI headers are read as counting their own frame or not.
void StreamCheck::CheckVbrHeader() {
  if (!vbr_header_) return;
  const VbrHeader& v = *vbr_header_;
  const std::int64_t after = frames_ - 1;
  const std::int64_t bytes = audio_end_ - vbr_header_at_;
  std::string detail;
  if (v.frames && *v.frames != after &&
      !(v.kind == VbrHeader::Kind::kVbri && *v.frames == frames_)) {
    detail = std::string(v.name) + " says " + GroupedNumber(*v.frames) + " frames, stream has " +
             GroupedNumber(after);
  }
  if (v.bytes && v.kind == VbrHeader::Kind::kXing && *v.bytes != bytes && *v.bytes != size_) {
    detail += std::string(detail.empty() ? "" : "; ") + v.name + " says " + Bytes(*v.bytes) +
              ", stream has " + GroupedNumber(bytes);
  }
  if (!detail.empty()) problems_.Add(Kind::kFrameCount, vbr_header_at_, detail);
}

void StreamCheck::CheckFormat() {
  const std::optional<std::string> foreign = ForeignFormat(bytes_, audio_start_);
  if (frames_ > 0) {
    if (foreign) problems_.Add(Kind::kNotMp3, 0, *foreign + " file holding MPEG audio frames");
    return;
  }
  std::string detail;
  if (size_ == 0) {
    detail = "empty file";
  } else if (std::all_of(bytes_.begin(), bytes_.end(), [](std::uint8_t b) { return b == 0; })) {
    detail = "all " + Bytes(size_) + " are zero";
  } else if (foreign) {
    detail = *foreign + ", not MPEG audio";
  } else {
    detail = "no MPEG audio frame in " + Bytes(size_);
  }
  problems_.Add(Kind::kNotMp3, 0, detail);
}

}  // namespace tarnwick
