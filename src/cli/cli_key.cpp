#include "cli/commands.h"

namespace tarnwick::cli {

void AddKeyCommand(CLI::App&, int&) {}

}  // namespace tarnwick::cli
