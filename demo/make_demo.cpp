// Writes the demo collection: a small MP3 folder tree with every kind of
// duplicate the search finds, copies that differ in quality, files named as
// unknown and a damaged file. The audio is silence built frame by frame, so
// the demo needs no encoder and no download.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/mp3_stream.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::test::CbrStream;
using tarnwick::test::Garbage;
using tarnwick::test::Id3v1Tag;
using tarnwick::test::VbrStream;

// 38.28 frames a second at 44100 Hz: seconds of play time to frames.
int Frames(double seconds) { return static_cast<int>(seconds * 44100.0 / 1152.0); }

std::string Vbr(double seconds) {
  std::vector<int> bitrates;
  const int cycle[] = {128, 160, 192, 224, 256, 192, 160};
  for (int i = 0; i < Frames(seconds); ++i) bitrates.push_back(cycle[i % 7]);
  return VbrStream(bitrates);
}

// A stream with gaps of junk between frames, as a damaged download has.
std::string Damaged(int bitrate, double seconds) {
  const std::string clean = CbrStream(bitrate, Frames(seconds));
  std::string damaged;
  const size_t step = clean.size() / 6;
  for (size_t at = 0; at < clean.size(); at += step) {
    damaged += clean.substr(at, step) + Garbage(37);
  }
  return damaged;
}

struct DemoFile {
  const char* path;
  std::string content;
};

std::vector<DemoFile> Collection() {
  return {
      // Article "the", a credit and a numbering suffix; the second copy has the higher bitrate.
      {"Music/The Night Owls - Blue River.mp3", CbrStream(128, Frames(30))},
      {"Music/Night Owls feat. Somebody - Blue River_1.mp3", CbrStream(192, Frames(30))},
      // Umlaut spellings; one copy with variable bitrate.
      {"Music/Die Käfer - Schöne Liebe.mp3", CbrStream(192, Frames(25))},
      {"Music/Die Kaefer - Schoene Liebe.MP3", Vbr(25)},
      // Accents; the copy with errors loses against the clean one.
      {"Music/Café Olé - Track 2.mp3", Damaged(160, 20)},
      {"Music/Cafe Ole - Track 2.mp3", CbrStream(160, Frames(20))},
      // Letter case, punctuation and spacing; the longer copy wins.
      {"Music/Moonlight, Sonata!.mp3", CbrStream(128, Frames(41))},
      {"Music/moonlight sonata.mp3", CbrStream(128, Frames(40)) + Id3v1Tag("Moonlight Sonata")},
      // Files named as unknown.
      {"Music/Night Owls - Unknown.mp3", CbrStream(128, Frames(10))},
      {"Music/Untitled - Track 7.mp3", CbrStream(128, Frames(10))},
      // A damaged file without a twin.
      {"Music/Broken Record - Skipping.mp3", Damaged(128, 15)},
      // Sub-folders are searched on their own.
      {"Music/Rock/Stone Age - Rolling.mp3", CbrStream(256, Frames(20))},
      {"Music/Rock/Stone Age - Rolling_2.mp3", CbrStream(256, Frames(20))},
      {"Music/Jazz/Blue Notes ft. Friends - Night Train.mp3", CbrStream(128, Frames(18))},
      {"Music/Jazz/BLUE NOTES - Night Train.mp3", CbrStream(320, Frames(18))},
  };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  for (const DemoFile& file : Collection()) {
    const fs::path path = root / file.path;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.content.data(), static_cast<std::streamsize>(file.content.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  std::error_code ec;
  fs::create_directories(root / "Moved", ec);
  fs::create_directories(root / "Unknown", ec);
  std::printf("%s\n", (root / "Music").c_str());
  return 0;
}
