#pragma once

#include <CLI/CLI.hpp>

namespace tarnwick::cli {

// Each subcommand registers itself and, when it runs, stores the process's
// exit status in `status`.
void AddSearchCommands(CLI::App& app, int& status);
void AddInfoCommand(CLI::App& app, int& status);
void AddKeyCommand(CLI::App& app, int& status);
void AddUndoCommand(CLI::App& app, int& status);
void AddHistoryCommand(CLI::App& app, int& status);

// Exit statuses shared by the subcommands.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // a folder check refused the run, or a file failed
constexpr int kExitUsage = 2;
constexpr int kExitErrorsFound = 3;
constexpr int kExitNotUndone = 4;  // undo left something it could not bring back
constexpr int kExitInterrupted = 130;

}  // namespace tarnwick::cli
