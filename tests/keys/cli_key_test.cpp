// Runs the built tarnwick-cli and checks what "key" prints.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliResult {
  std::string out;
  int status = -1;
};

// Each argument is put in single quotes for the shell; none of them holds one.
CliResult RunCli(const std::vector<std::string>& args) {
  std::string command = std::string(TARNWICK_BIN_DIR) + "/tarnwick-cli key";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " 2>/dev/null";
  CliResult run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, got);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::vector<nlohmann::json> JsonLines(const std::string& out) {
  std::vector<nlohmann::json> lines;
  std::istringstream stream(out);
  for (std::string line; std::getline(stream, line);) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

TEST(CliKey, PrintsOneAlignedLinePerNameInInputOrder) {
  const CliResult run = RunCli({"/music/The Night Owls - Blue River.mp3",
                                "Night Owls feat. Somebody - Blue River_1.mp3", "01.mp3"});
  EXPECT_EQ(run.status, 0);
  const std::string expected =
      "/music/The Night Owls - Blue River.mp3        nigtowlsbluriver\n"
      "Night Owls feat. Somebody - Blue River_1.mp3  nigtowlsbluriver\n"
      "01.mp3" +
      std::string(40, ' ') + "\n";
  EXPECT_EQ(run.out, expected);
}

TEST(CliKey, KeysOnlyThePartAfterTheLastSlash) {
  const CliResult run = RunCli({"--json", "/tmp/The Band/Song.mp3", "Liebe/"});
  EXPECT_EQ(run.status, 0);
  const std::vector<nlohmann::json> lines = JsonLines(run.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], (nlohmann::json{{"name", "/tmp/The Band/Song.mp3"}, {"key", "song"}}));
  EXPECT_EQ(lines[1], (nlohmann::json{{"name", "Liebe/"}, {"key", ""}}));
}

TEST(CliKey, ShowsWindows1252NamesAsUtf8) {
  const CliResult run = RunCli({"--json", "Caf\xE9 Ol\xE9 - Track 2.mp3"});
  EXPECT_EQ(run.status, 0);
  const std::vector<nlohmann::json> lines = JsonLines(run.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            (nlohmann::json{{"name", "Café Olé - Track 2.mp3"}, {"key", "kafeoletrakk"}}));
}

TEST(CliKey, RefusesACallWithoutNames) {
  const CliResult run = RunCli({});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
}

}  // namespace
