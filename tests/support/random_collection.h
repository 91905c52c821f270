#pragma once

#include <random>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tarnwick::test {

// Names that pair with each other in many ways, unknown names and numbered ones.
extern const std::vector<std::string> kPairingNames;

// A random stream (variable bitrate, damaged, not analysable, or constant
// bitrate) that ends in a tag naming it, so every file is unique.
std::string RandomSong(std::mt19937& random, int id);

// Writes a random third of kPairingNames, each a RandomSong, into `folder`
// (below `dir`) and into its sub-folder "sub".
void WriteRandomSongs(const TempDir& dir, const std::string& folder, std::mt19937& random);

}  // namespace tarnwick::test
