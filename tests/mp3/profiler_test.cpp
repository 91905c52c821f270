#include "mp3/profiler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <thread>

namespace tarnwick {
namespace {

// One report line: the name and ": " for a named section, the seconds with
// six decimals, " sec", CR LF.
std::regex Line(const std::string& name) {
  return std::regex((name.empty() ? "" : name + ": ") + "[0-9]+\\.[0-9]{6} sec\r\n");
}

class ProfilerTest : public testing::Test {
 protected:
  void SetUp() override { ProfilerReset(); }
};

TEST_F(ProfilerTest, NamedSectionReportsItsSecondsWithSixDecimals) {
  ProfilerStart("komplett");
  EXPECT_TRUE(ProfilerActive());
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ProfilerStop();
  EXPECT_FALSE(ProfilerActive());
  const std::string report = ProfilerReport();
  ASSERT_TRUE(std::regex_match(report, Line("komplett"))) << report;
  EXPECT_GE(std::stod(report.substr(report.find(' ') + 1)), 0.020) << "seconds, not another unit";
}

// Nested sections report innermost first; an unnamed one has no name and
// no colon.
TEST_F(ProfilerTest, NestedSectionsReportInnermostFirst) {
  ProfilerStart("");
  ProfilerStart("B");
  ProfilerStop();
  EXPECT_TRUE(ProfilerActive()) << "the outer section is still open";
  EXPECT_TRUE(std::regex_match(ProfilerReport(), Line("B")));
  ProfilerStop();
  EXPECT_FALSE(ProfilerActive());
  const std::string report = ProfilerReport();
  const size_t split = report.find("\r\n") + 2;
  EXPECT_TRUE(std::regex_match(report.substr(0, split), Line("B"))) << report;
  EXPECT_TRUE(std::regex_match(report.substr(split), Line(""))) << report;
  ProfilerStop();
  EXPECT_EQ(ProfilerReport(), report) << "a stop without an open section changes nothing";
}

TEST_F(ProfilerTest, ResetDropsOpenSectionsWithoutReportingThem) {
  ProfilerStart("done");
  ProfilerStop();
  ProfilerStart("A");
  ProfilerReset();
  EXPECT_EQ(ProfilerReport(), "");
  EXPECT_FALSE(ProfilerActive());
  ProfilerStop();
  EXPECT_EQ(ProfilerReport(), "");
}

}  // namespace
}  // namespace tarnwick
