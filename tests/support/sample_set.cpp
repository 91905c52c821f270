#include "support/sample_set.h"

#include <span>

#include "mp3/frame_header.h"
#include "support/encoder.h"
#include "support/mp3_stream.h"

namespace tarnwick::test {
namespace {

using Kind = Problem::Kind;

std::string Lame(const std::string& name, const std::string& options, int rate = 44100,
                 int channels = 2) {
  return Encoded(name, "lame --quiet " + options + " {in} {out}", rate, 1.5, channels);
}

std::string Ffmpeg(const std::string& name, const std::string& options, int rate = 44100) {
  return Encoded(name, "ffmpeg -hide_banner -loglevel error -y -i {in} " + options + " {out}",
                 rate);
}

std::string Twolame(const std::string& name, const std::string& options, int rate = 44100) {
  return Encoded(name, "twolame --quiet " + options + " {in} {out}", rate);
}

// The offsets of the frames of clean encoder output: from the end of a
// leading ID3v2 tag, each frame where the one before ends.
std::vector<std::int64_t> FrameStarts(const std::string& file) {
  const auto* b = reinterpret_cast<const std::uint8_t*>(file.data());
  const auto size = static_cast<std::int64_t>(file.size());
  std::int64_t at =
      file.rfind("ID3", 0) == 0 ? 10 + (b[6] << 21 | b[7] << 14 | b[8] << 7 | b[9]) : 0;
  std::vector<std::int64_t> starts;
  while (at + 4 <= size && IsFrameSync(b[at], b[at + 1])) {
    starts.push_back(at);
    at += DecodeFrameHeader(std::span<const std::uint8_t, 4>(b + at, 4), 0).frame_length;
  }
  return starts;
}

std::string Insert(std::string file, std::int64_t at, const std::string& bytes) {
  return file.insert(static_cast<std::size_t>(at), bytes);
}

// An ID3v2.3 tag with one title frame and `padding` zero bytes, whose size
// field says `size_change` bytes more (or less) than it holds.
std::string Id3v2WithTitle(int padding, int size_change) {
  const std::string title = std::string("\x03", 1) + "A title";
  std::string frame = "TIT2";
  frame +=
      std::string("\0\0\0", 3) + static_cast<char>(title.size()) + std::string(2, '\0') + title;
  const int size = static_cast<int>(frame.size()) + padding + size_change;
  std::string tag = "ID3";
  tag += std::string("\x03\0\0", 3);
  for (int shift = 21; shift >= 0; shift -= 7) tag += static_cast<char>((size >> shift) & 0x7F);
  return tag + frame + std::string(static_cast<std::size_t>(padding), '\0');
}

// Lyrics3 v2: one lyrics field, then the size and the end marker.
std::string Lyrics3v2Tag() {
  const std::string body = "LYRICSBEGIN" + std::string("LYR00011") + "Hello world";
  std::string size = std::to_string(body.size());
  return body + std::string(6 - size.size(), '0') + size + "LYRICS200";
}

std::string CbrNoTag() { return Lame("cbr_no_tag.mp3", "-t -b 128"); }

}  // namespace

std::vector<SampleFile> CleanSet() {
  const std::string cover =
      "-i {cover} -map 0:a -map 1:v -c:a libmp3lame -b:a 128k -c:v copy -id3v2_version 3 "
      "-metadata:s:v comment='Cover (front)' -metadata title=Song";
  return {
      {"lame_cbr_128.mp3", Lame("lame_cbr_128.mp3", "-b 128")},
      {"lame_vbr_v2.mp3", Lame("lame_vbr_v2.mp3", "-V 2")},
      {"lame_abr_96.mp3", Lame("lame_abr_96.mp3", "--abr 96")},
      {"lame_no_tag.mp3", CbrNoTag()},
      {"lame_crc_cbr.mp3", Lame("lame_crc_cbr.mp3", "-p -b 160")},
      {"lame_crc_vbr_mono.mp3", Lame("lame_crc_vbr_mono.mp3", "-p -V 4 -m m")},
      {"lame_8khz.mp3", Lame("lame_8khz.mp3", "--resample 8 -b 16 -m m", 8000, 1)},
      {"lame_11khz_vbr.mp3", Lame("lame_11khz_vbr.mp3", "--resample 11.025 -V 6", 11025)},
      {"lame_12khz_crc.mp3", Lame("lame_12khz_crc.mp3", "-p --resample 12 -b 24", 12000)},
      {"lame_16khz.mp3", Lame("lame_16khz.mp3", "--resample 16 -b 32", 16000)},
      {"lame_22khz_vbr.mp3", Lame("lame_22khz_vbr.mp3", "--resample 22.05 -V 5 -m m", 22050, 1)},
      {"lame_24khz_crc.mp3", Lame("lame_24khz_crc.mp3", "-p --resample 24 -b 64", 24000)},
      {"lame_32khz.mp3", Lame("lame_32khz.mp3", "--resample 32 -b 96", 32000)},
      {"lame_48khz_vbr.mp3", Lame("lame_48khz_vbr.mp3", "--resample 48 -V 0", 48000)},
      {"lame_id3_tags.mp3", Lame("lame_id3_tags.mp3", "-V 3 --add-id3v2 --tt Title --ta Artist")},
      {"ffmpeg_vbr.mp3", Ffmpeg("ffmpeg_vbr.mp3", "-c:a libmp3lame -q:a 4")},
      {"ffmpeg_cover.mp3", Ffmpeg("ffmpeg_cover.mp3", cover)},
      {"ffmpeg_id3v1.mp3", Ffmpeg("ffmpeg_id3v1.mp3", "-c:a libmp3lame -b:a 96k -write_id3v1 1")},
      {"ffmpeg_apev2.mp3",
       Ffmpeg("ffmpeg_apev2.mp3",
              "-c:a libmp3lame -b:a 96k -write_apetag 1 -metadata title=T -f mp3")},
      {"ffmpeg_layer2.mp3", Ffmpeg("ffmpeg_layer2.mp3", "-c:a mp2 -b:a 192k -f mp2")},
      {"ffmpeg_layer2_24khz.mp3",
       Ffmpeg("ffmpeg_layer2_24khz.mp3", "-c:a mp2 -b:a 64k -f mp2", 24000)},
      {"twolame_crc_joint.mp3", Twolame("twolame_crc_joint.mp3", "-p -b 128 -m j")},
      {"twolame_crc_48khz.mp3", Twolame("twolame_crc_48khz.mp3", "-p -b 256 -m s", 48000)},
      {"twolame_crc_16khz_mono.mp3", Twolame("twolame_crc_16khz_mono.mp3", "-p -b 32 -m m", 16000)},
      {"lyrics3_and_id3v1.mp3", CbrNoTag() + Lyrics3v2Tag() + Id3v1Tag("Song")},
  };
}

std::vector<SampleFile> DamagedSet() {
  const std::string cbr = Lame("lame_cbr_128.mp3", "-b 128");
  const std::vector<std::int64_t> cbr_frames = FrameStarts(cbr);
  const std::string plain = CbrNoTag();
  const std::vector<std::int64_t> frames = FrameStarts(plain);
  const std::string vbr = Lame("lame_vbr_v2.mp3", "-V 2");
  const std::vector<std::int64_t> vbr_frames = FrameStarts(vbr);
  const std::int64_t n = static_cast<std::int64_t>(frames.size());

  std::string flipped_crc = Lame("lame_crc_cbr.mp3", "-p -b 160");
  const std::int64_t crc_frame = FrameStarts(flipped_crc)[20];
  flipped_crc[static_cast<std::size_t>(crc_frame + 4)] ^= 0x10;
  std::string flipped_layer2 = Twolame("twolame_crc_joint.mp3", "-p -b 128 -m j");
  const std::int64_t layer2_frame = FrameStarts(flipped_layer2)[10];
  flipped_layer2[static_cast<std::size_t>(layer2_frame + 7)] ^= 0x04;
  std::string garbled = plain;
  garbled.replace(static_cast<std::size_t>(frames[30] + 4), 32, 32, '\xFF');

  const auto at = [](std::size_t offset) { return static_cast<std::int64_t>(offset); };
  const std::int64_t tag = at(Id3v2WithTitle(200, 0).size());
  const std::int64_t cut = cbr_frames[cbr_frames.size() - 5];
  std::vector<SampleFile> set = {
      {"cut_mid_frame.mp3",
       cbr.substr(0, cut + 100),
       {{Kind::kTruncated, cut}, {Kind::kFrameCount, 0}}},
      {"cut_inside_header.mp3",
       plain.substr(0, frames[n - 3] + 2),
       {{Kind::kTruncated, frames[n - 3]}}},
      {"vbr_cut_on_frame_boundary.mp3",
       vbr.substr(0, vbr_frames[vbr_frames.size() - 10]),
       {{Kind::kFrameCount, 0}}},
      {"crc_mismatch.mp3", flipped_crc, {{Kind::kCrc, crc_frame}}},
      {"layer2_crc_mismatch.mp3", flipped_layer2, {{Kind::kCrc, layer2_frame}}},
      {"id3v2_size_too_large.mp3", Id3v2WithTitle(200, 5000) + cbr, {{Kind::kTagSize, tag}}},
      {"id3v2_size_too_small.mp3", Id3v2WithTitle(200, -50) + cbr, {{Kind::kTagSize, tag - 50}}},
      {"junk_between_frames.mp3",
       Insert(plain, frames[20], Garbage(1000)),
       {{Kind::kJunk, frames[20]}}},
      {"zeros_between_frames.mp3",
       Insert(plain, frames[20], std::string(2000, '\0')),
       {{Kind::kZeros, frames[20]}}},
      {"junk_before_first_frame.mp3", Garbage(500) + plain, {{Kind::kJunk, 0}}},
      {"junk_after_last_frame.mp3",
       plain + Garbage(300) + Id3v1Tag("Song"),
       {{Kind::kJunk, at(plain.size())}}},
      {"joined_sample_rates.mp3",
       plain + Lame("lame_22khz.mp3", "-t --resample 22.05 -b 64", 22050),
       {{Kind::kStreamChange, at(plain.size())}}},
      {"joined_info_frames.mp3",
       cbr + Lame("lame_cbr_vbr_join.mp3", "-V 5"),
       {{Kind::kStreamChange, at(cbr.size())}, {Kind::kFrameCount, 0}}},
      {"garbled_side_info.mp3", garbled, {{Kind::kDecode, frames[30]}}, true},
  };
  const std::pair<const char*, std::string> not_mp3[] = {
      {"empty.mp3", ""},
      {"all_zeros.mp3", std::string(8192, '\0')},
      {"html_page.mp3",
       "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n<body>Not "
       "found</body></html>\n"},
      {"wave.mp3", Encoded("wave.wav", "ffmpeg -hide_banner -loglevel error -y -i {in} {out}")},
      {"ogg_vorbis.mp3", Ffmpeg("vorbis.ogg", "-c:a libvorbis -f ogg")},
      {"flac.mp3", Ffmpeg("audio.flac", "-c:a flac -f flac")},
      {"mp4_aac.mp3", Ffmpeg("audio.m4a", "-c:a aac -f mp4")}};
  for (const auto& [name, bytes] : not_mp3) set.push_back({name, bytes, {{Kind::kNotMp3, 0}}});
  return set;
}

}  // namespace tarnwick::test
