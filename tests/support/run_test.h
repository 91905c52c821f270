#pragma once

#include <gtest/gtest.h>

#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

// A test of runs over the folders "music", "moved" and "unknown" of a
// temporary folder of its own (see RunFixture).
class RunTest : public ::testing::Test {
 protected:
  RunTest() { fx.UseFoldersIn(dir); }

  TempDir dir;
  RunFixture fx;
  SETTINGS& s = fx.settings;
  RecordingView& view = fx.view;
};

}  // namespace tarnwick::test
