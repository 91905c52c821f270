// End-to-end runs of the built tarnwick-cli: output, errors and exit status.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::CliResult;
using test::RunCli;
using nlohmann::literals::operator""_json;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CliInfoTest : public testing::Test {
 protected:
  void SetUp() override {
    clean_ = dir_.WriteFile("clean.mp3", test::CbrStream(128, 1000));
    // 6900 frames at 44100 Hz: 180.24 s; one gap of garbage.
    const std::string half = test::CbrStream(320, 3450);
    damaged_ = dir_.WriteFile("damaged.mp3", half + test::Garbage(7) + half);
  }

  test::TempDir dir_;
  std::string clean_;
  std::string damaged_;
};

TEST_F(CliInfoTest, OneTableLinePerFile) {
  const CliResult run = RunCli({"info", clean_, damaged_});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> expected = {
      "FILE" + std::string(clean_.size(), ' ') +
          "LENGTH  BITRATE     VBR  ERRORS  FRAMES  PROBLEMS",
      clean_ + "    0:26    128 kbit/s  no   0       1000    ",
      damaged_ + "  3:00    320 kbit/s  no   1       6900    junk",
  };
  EXPECT_EQ(Lines(run.out), expected);
}

// One object per file; a failed file has its object too, with the failure
// and its problems, and sets the status.
TEST_F(CliInfoTest, JsonObjectPerFileFailedOnesToo) {
  const std::string missing = dir_.path() + "missing.mp3";
  const std::string empty = dir_.WriteFile("em\npty.mp3", "");
  const CliResult run = RunCli({"info", "--json", missing, clean_, damaged_, empty});
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u);
  nlohmann::json clean =
      R"({"length":26,"bitrate":128,"errors":0,"vbr":false,"frames":1000,"problems":[]})"_json;
  clean["path"] = clean_;
  EXPECT_EQ(nlohmann::json::parse(lines[1]), clean);
  const nlohmann::json damaged = nlohmann::json::parse(lines[2]);
  EXPECT_EQ(damaged["errors"], 1);
  EXPECT_EQ(damaged["problems"][0]["kind"], "junk");
  EXPECT_EQ(damaged["problems"][0]["offset"], test::CbrStream(320, 3450).size());
  nlohmann::json gone = R"({"failure":2,"message":"File not found","problems":[]})"_json;
  gone["path"] = missing;
  EXPECT_EQ(nlohmann::json::parse(lines[0]), gone);
  const nlohmann::json failed = nlohmann::json::parse(lines[3]);
  EXPECT_EQ(failed["failure"], 100);
  EXPECT_EQ(failed["problems"][0]["kind"], "not mp3");
  // A control character in a name is shown escaped, so each message keeps its line.
  EXPECT_EQ(run.err, "tarnwick-cli: " + missing + ": File not found\ntarnwick-cli: " + dir_.path() +
                         "em\\npty.mp3: Read beyond end of file\n");
}

}  // namespace
}  // namespace tarnwick
