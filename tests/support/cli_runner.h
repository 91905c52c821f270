#pragma once

#include <sys/types.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tarnwick::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built tarnwick-cli with `args` (no shell involved, so any name can
// be passed) and collects its output and exit status. `home`, when not
// empty, becomes TARNWICK_HOME and HOME (the XDG variables unset), so the
// settings, the trash and the journals of the run stay in it.
CliResult RunCli(const std::vector<std::string>& args, const std::string& home = "");

// Starts the program as RunCli does, with its output going to two files,
// and returns its process id without waiting for it.
pid_t StartCli(const std::vector<std::string>& args, const std::string& home,
               const std::string& out_path, const std::string& err_path);

// Each line of `out` parsed as JSON; a line that is not JSON fails the test.
std::vector<nlohmann::json> JsonLines(const std::string& out);

}  // namespace tarnwick::test
