#include "support/cli_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "support/temp_dir.h"

namespace tarnwick::test {

pid_t StartCli(const std::vector<std::string>& args, const std::string& home,
               const std::string& out_path, const std::string& err_path) {
  const std::string program = std::string(TARNWICK_BIN_DIR) + "/tarnwick-cli";
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const pid_t child = fork();
  if (child == 0) {
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0) _exit(127);
    dup2(in, 0), dup2(out, 1), dup2(err, 2);
    // The program's home holds its settings, and its trash and journals too.
    if (!home.empty()) {
      setenv("TARNWICK_HOME", home.c_str(), 1);
      setenv("HOME", home.c_str(), 1);
      for (const char* name : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"}) {
        unsetenv(name);
      }
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return child;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& home) {
  const TempDir capture;
  const std::string out_path = capture.path() + "out", err_path = capture.path() + "err";
  const pid_t child = StartCli(args, home, out_path, err_path);
  CliResult result;
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    result.status = WEXITSTATUS(status);
  }
  result.out = ReadFile(out_path);
  result.err = ReadFile(err_path);
  return result;
}

std::vector<nlohmann::json> JsonLines(const std::string& out) {
  std::vector<nlohmann::json> lines;
  std::istringstream stream(out);
  for (std::string line; std::getline(stream, line);) {
    const nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
    EXPECT_FALSE(parsed.is_discarded()) << "not JSON: " << line;
    lines.push_back(parsed);
  }
  return lines;
}

}  // namespace tarnwick::test
