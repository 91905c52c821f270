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

// --workers N: the number of threads that analyse files ahead of the run.
void AddWorkersOption(CLI::App& command, unsigned& workers);

// Exit statuses shared by the subcommands.
constexpr int kExitOk = 0;
constexpr int kExitFailed =
    1;  // the run was refused, a folder could not be searched, a file failed
constexpr int kExitUsage = 2;
constexpr int kExitErrorsFound = 3;
constexpr int kExitActionFailed = 4;    // a move, trash, deletion or rename failed (or undo)
constexpr int kExitOutputClosed = 141;  // standard output was closed: 128 + SIGPIPE
// A stop signal ends a run with 128 + its number: 130 Ctrl-C, 143 SIGTERM, 129 SIGHUP.

}  // namespace tarnwick::cli
