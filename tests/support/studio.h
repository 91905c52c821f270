#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/encoder.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

// The recordings under tests/data/songs (generated songs, see make.sh there),
// decoded and encoded anew in a temporary folder of their own.
class Studio {
 public:
  // A WAV file of the first `seconds` of recording `name` at `rate`.
  std::string Decode(const std::string& name, double seconds = 20, int rate = 44100) {
    const std::string wav = Next(".wav");
    EXPECT_TRUE(test::Decode(TARNWICK_TEST_DATA "/songs/" + name + ".mp3", wav, seconds, rate))
        << name;
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
