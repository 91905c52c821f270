#include "support/random_collection.h"

#include "support/mp3_stream.h"

namespace tarnwick::test {

const std::vector<std::string> kPairingNames = {"The Night Owls - Blue River.mp3",
                                                "Night Owls feat. X - Blue River_1.mp3",
                                                "NIGHT OWLS - BLUE RIVER.MP3",
                                                "Die Käfer - Schöne Liebe.mp3",
                                                "Die Kaefer - Schoene Liebe.mp3",
                                                "Café Olé.mp3",
                                                "Cafe Ole_2.mp3",
                                                "Artist - Unknown.mp3",
                                                "Untitled - Song.mp3",
                                                "Song.mp3",
                                                "Song_1.mp3",
                                                "song_3.mp3",
                                                "01.mp3",
                                                "02.mp3"};

std::string RandomSong(std::mt19937& random, int id) {
  const int bitrates[] = {96, 128, 192, 320};
  std::string stream;
  switch (random() % 4) {
    case 0: stream = VbrStream({128, 192, 256, 160, 128, 320, 96, 128}); break;
    case 1: stream = CbrStream(bitrates[random() % 4], 20) + Garbage(7) + CbrStream(128, 10); break;
    case 2: stream = std::string(300, '\0'); break;  // fails to analyse
    default: stream = CbrStream(bitrates[random() % 4], 20 + static_cast<int>(random() % 40));
  }
  return stream + Id3v1Tag("song " + std::to_string(id));
}

void WriteRandomSongs(const TempDir& dir, const std::string& folder, std::mt19937& random) {
  int id = 0;
  for (const char* sub : {"", "sub/"}) {
    for (const std::string& name : kPairingNames) {
      if (random() % 3 == 0) dir.WriteFile(folder + sub + name, RandomSong(random, ++id));
    }
  }
}

}  // namespace tarnwick::test
