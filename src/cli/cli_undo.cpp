// tarnwick-cli undo [JOURNAL] [--dry-run] [--json]: brings back what a run
// moved, renamed or trashed.

#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/output.h"
#include "history/journal_files.h"
#include "history/path_field.h"
#include "history/run_history.h"
#include "history/undo_run.h"

namespace tarnwick::cli {
namespace {

struct UndoOptions {
  std::string journal;
  bool dryRun = false;
  bool json = false;
};

std::string Verb(const UndoStep& step, bool dry_run) {
  if (step.action == JournalAction::kDelete) return "not undoable: delete";
  const std::string verb = step.action == JournalAction::kTrash    ? "restore"
                           : step.action == JournalAction::kRename ? "rename back"
                                                                   : "move back";
  if (step.ok) return dry_run ? "would " + verb : verb;
  return (dry_run ? "would fail to " : "failed to ") + verb;
}

// "move back: TO -> FROM", "failed to restore: TRASHED -> FROM: reason".
std::string StepLine(const UndoStep& step, bool dry_run) {
  std::string line = Verb(step, dry_run) + ": ";
  if (step.action == JournalAction::kDelete) return line + DisplayCell(step.from);
  if (!step.from.empty()) line += DisplayCell(step.from) + " -> ";
  line += DisplayCell(step.to);
  return step.ok ? line : line + ": " + step.error;
}

nlohmann::json StepJson(const UndoStep& step, bool dry_run) {
  nlohmann::json object = {{"kind", "undo"},
                           {"action", std::string(ActionName(step.action))},
                           {"ok", step.ok},
                           {"dry_run", dry_run}};
  PutPath(object, "from", step.from);
  if (!step.to.empty()) PutPath(object, "to", step.to);
  if (!step.ok) object["error"] = step.error;
  return object;
}

std::string Totals(const UndoResult& result, bool dry_run) {
  return std::string(dry_run ? "dry run, nothing changed: " : "") + std::to_string(result.undone) +
         (dry_run ? " to undo, " : " undone, ") + std::to_string(result.failed) +
         (dry_run ? " would fail, " : " failed, ") + std::to_string(result.notUndoable) +
         " not undoable";
}

int ReportEnd(const std::string& journal, const UndoResult& result, bool dry_run) {
  if (result.error) {
    const std::string why = result.error == std::errc::device_or_resource_busy
                                ? "a run or another undo is using it"
                                : result.error.message();
    PrintError("cannot undo " + Display(journal) + ": " + why);
    return kExitActionFailed;
  }
  if (result.undone + result.failed + result.notUndoable == 0) {
    PrintError("nothing to undo in " + Display(journal));
  } else {
    PrintError(Totals(result, dry_run));
  }
  if (result.failed > 0 && !dry_run) {
    PrintError("once the causes are cleared, undo it again: " + std::string(kProgramName) +
               " undo " + Display(journal));
  }
  return result.complete() ? kExitOk : kExitActionFailed;
}

int RunUndo(const UndoOptions& options) {
  const std::string journal =
      options.journal.empty() ? NewestRunNotUndone().value_or("") : JournalPath(options.journal);
  if (journal.empty()) {
    PrintError("nothing to undo: every recorded run has been undone");
    return kExitOk;
  }
  const UndoResult result = UndoRun(journal, options.dryRun, [&options](const UndoStep& step) {
    if (options.json) {
      PrintJsonLine(StepJson(step, options.dryRun));
    } else {
      std::cout << StepLine(step, options.dryRun) << std::endl;
    }
  });
  return ReportEnd(journal, result, options.dryRun);
}

}  // namespace

void AddUndoCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<UndoOptions>();
  CLI::App* undo = app.add_subcommand(
      "undo", "Moves back, renames back and restores from the trash what a run changed.");
  undo->add_option("JOURNAL", options->journal,
                   "Journal of the run (a name as history lists it, or a path); default: the "
                   "newest run not yet undone");
  undo->add_flag("--dry-run", options->dryRun, "Only show what would be done");
  undo->add_flag("--json", options->json, "One JSON object per step and line");
  undo->callback([options, &status] { status = RunUndo(*options); });
}

}  // namespace tarnwick::cli
