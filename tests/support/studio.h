#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/encoder.h"
#include "support/synth_song.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

// Generated songs, rendered and encoded into a temporary folder of its own.
class Studio {
 public:
  // A WAV file of `seconds` of the song from second `start` on.
  std::string Render(const SongSpec& song, int rate = 44100, double start = 0,
                     double seconds = 20) {
    const std::string wav = dir_.Sub(std::to_string(++files_) + ".wav");
    WriteWav(wav, RenderSong(song, rate, start, seconds), rate, 2);
    return wav;
  }

  // The MP3 file made of `wav`.
  std::string Encode(const std::string& wav, const Encoding& encoding) {
    const std::string mp3 = dir_.Sub(std::to_string(++files_) + ".mp3");
    EXPECT_TRUE(test::Encode(encoding, wav, mp3)) << encoding.label;
    return mp3;
  }

 private:
  TempDir dir_;
  int files_ = 0;
};

}  // namespace tarnwick::test
