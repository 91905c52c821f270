// tarnwick-cli: the duplicate search and the error detection for scripts and
// headless use, plus the analysis and title keys of single files, and the
// history of the runs with their undo.

#include <CLI/CLI.hpp>
#include <clocale>

#include "cli/commands.h"
#include "cli/output.h"

namespace {

constexpr const char* kVersionText = "Tarnwick v3.4";

}  // namespace

int main(int argc, char** argv) {
  using namespace tarnwick::cli;
  // Table columns are measured in terminal cells, which needs a UTF-8 locale.
  std::setlocale(LC_CTYPE, "C.UTF-8");

  CLI::App app("Finds songs stored twice in an MP3 folder and keeps the better copy.",
               kProgramName);
  app.set_version_flag("--version", kVersionText);
  app.require_subcommand(1);
  int status = kExitOk;
  AddSearchCommands(app, status);
  AddInfoCommand(app, status);
  AddKeyCommand(app, status);
  AddUndoCommand(app, status);
  AddHistoryCommand(app, status);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitUsage;
  }
  return status;
}
