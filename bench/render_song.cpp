// Writes a generated song as a WAV file, the source of the recordings under
// tests/data/songs (see make.sh there).
//
//   render_song SEED MELODY_SEED studio|live START SECONDS RATE OUT.wav

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/encoder.h"
#include "synth/synth_song.h"

int main(int argc, char** argv) {
  if (argc != 8) {
    std::fprintf(stderr, "usage: %s SEED MELODY_SEED studio|live START SECONDS RATE OUT.wav\n",
                 argv[0]);
    return 2;
  }
  const tarnwick::test::SongSpec song{static_cast<std::uint32_t>(std::stoul(argv[1])),
                                      static_cast<std::uint32_t>(std::stoul(argv[2])),
                                      std::string(argv[3]) == "live"};
  const int rate = std::stoi(argv[6]);
  tarnwick::test::WriteWav(
      argv[7], tarnwick::test::RenderSong(song, rate, std::stod(argv[4]), std::stod(argv[5])), rate,
      2);
  return 0;
}
