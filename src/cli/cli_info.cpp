#include "cli/commands.h"

namespace tarnwick::cli {

void AddInfoCommand(CLI::App&, int&) {}

}  // namespace tarnwick::cli
