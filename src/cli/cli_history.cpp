// tarnwick-cli history [--json]: the runs that changed the collection,
// newest first, and whether they have been undone.

#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "history/path_field.h"
#include "history/run_history.h"
#include "platform/text.h"

namespace tarnwick::cli {
namespace {

constexpr JournalAction kActions[] = {JournalAction::kMove, JournalAction::kRename,
                                      JournalAction::kTrash, JournalAction::kDelete};

size_t Done(const RunSummary& run, JournalAction action) {
  return run.done[static_cast<size_t>(action)];
}

std::string UndoText(UndoState state) {
  switch (state) {
    case UndoState::kNotUndone: return "no";
    case UndoState::kPartlyUndone: return "partly";
    case UndoState::kUndone: return "yes";
  }
  return "";
}

// "2 move, 1 rename".
std::string CountsText(const RunSummary& run) {
  std::string text;
  for (const JournalAction action : kActions) {
    if (Done(run, action) == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(Done(run, action)) + " " + std::string(ActionName(action));
  }
  return text.empty() ? "-" : text;
}

std::string FoldersText(const RunSummary& run) {
  std::string text;
  for (const std::string& folder : run.header.folders) {
    text += (text.empty() ? "" : ", ") + DisplayCell(folder);
  }
  return text;
}

nlohmann::json RunJson(const RunSummary& run) {
  nlohmann::json done = nlohmann::json::object();
  for (const JournalAction action : kActions)
    done[std::string(ActionName(action))] = Done(run, action);
  nlohmann::json object = {{"kind", "run"},
                           {"start", run.header.start},
                           {"mode", Display(run.header.mode)},
                           {"done", done},
                           {"undone", UndoText(run.undo)}};
  PutPath(object, "journal", run.journal);
  PutPaths(object, "folders", run.header.folders);
  return object;
}

void PrintHistory(bool json) {
  const std::vector<RunSummary> runs = ListRuns();
  if (runs.empty()) PrintError("no runs recorded");
  std::vector<std::vector<std::string>> rows = {
      {"START", "MODE", "DONE", "UNDONE", "JOURNAL", "FOLDERS"}};
  for (const RunSummary& run : runs) {
    if (json) {
      PrintJsonLine(RunJson(run));
    } else {
      // Seconds are enough to tell runs apart on screen.
      rows.push_back({run.header.start.substr(0, 19) + "Z", DisplayCell(run.header.mode),
                      CountsText(run), UndoText(run.undo), DisplayCell(FileNameOf(run.journal)),
                      FoldersText(run)});
    }
  }
  if (!json && !runs.empty()) PrintTable(rows);
}

}  // namespace

void AddHistoryCommand(CLI::App& app, int& status) {
  auto json = std::make_shared<bool>(false);
  CLI::App* history =
      app.add_subcommand("history", "Lists the runs that changed files, newest first.");
  history->add_flag("--json", *json, "One JSON object per run and line");
  history->callback([json, &status] {
    PrintHistory(*json);
    status = kExitOk;
  });
}

}  // namespace tarnwick::cli
