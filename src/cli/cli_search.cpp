#include "cli/commands.h"

namespace tarnwick::cli {

void AddSearchCommands(CLI::App&, int&) {}

}  // namespace tarnwick::cli
