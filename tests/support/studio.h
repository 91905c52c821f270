#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/encoder.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

// The recordings under tests/data/songs (generated songs, see make.sh there),
// decoded and encoded anew in a temporary folder of their own.
class Studio {
 public:
  // A stereo WAV file of the first `seconds` of recording `name` at `rate`;
  // atrim cuts to the sample, so that play times are exact.
  std::string Decode(const std::string& name, double seconds = 20, int rate = 44100) {
    const std::string wav = Next(".wav");
    const std::string command = "ffmpeg -nostdin -loglevel error -y -i '" TARNWICK_TEST_DATA
                                "/songs/" +
                                name + ".mp3' -af atrim=end=" + std::to_string(seconds) + " -ar " +
                                std::to_string(rate) + " -ac 2 '" + wav + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return wav;
  }

  // The MP3 file made of `wav`.
  std::string Encode(const std::string& wav, const Encoding& encoding) {
    const std::string mp3 = Next(".mp3");
    EXPECT_TRUE(test::Encode(encoding, wav, mp3)) << encoding.label;
    return mp3;
  }

 private:
  std::string Next(const char* extension) { return dir_.Sub(std::to_string(++files_) + extension); }

  TempDir dir_;
  int files_ = 0;
};

}  // namespace tarnwick::test
