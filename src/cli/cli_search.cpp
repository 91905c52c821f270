// tarnwick-cli search and errors: the two runs over folders.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_view.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/run_settings.h"
#include "cli/signals.h"
#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "settings/language.h"
#include "settings/settings.h"

namespace tarnwick::cli {
namespace {

void AddFolderOptions(CLI::App& command, RunArgs& args) {
  command.add_option(
      "folders", args.folders,
      "Folders to search instead of the configured ones (several: folder list mode)");
  command
      .add_option("--settings", args.settingsFile, "Settings file to read instead of tarnwick.ini")
      ->check(CLI::ExistingFile);
  command.add_flag("--recursive,-r", args.recursive, "Also search every sub-folder");
  command.add_flag("--json", args.json, "Print one JSON object per line");
  command.add_flag("--verbose,-v", args.verbose, "Print each folder and how many tracks it holds");
  AddWorkersOption(command, args.workers);
}

void AddDuplicateOptions(CLI::App& command, RunArgs& args) {
  command
      .add_option("--mode", args.mode, "What happens to the weaker copy of a pair (default: show)")
      ->check(CLI::IsMember({"show", "move", "delete"}));
  command.add_option("--move-to", args.moveTo, "Folder that receives moved copies (--mode move)");
  command.add_option("--unknown-to", args.unknownTo,
                     "Move files named as unknown into this folder");
  command.add_option("--vbr", args.vbr, "Preference for variable bitrate")
      ->check(CLI::IsMember({"off", "ever", "double"}));
  command
      .add_option("--check-pairs", args.checkPairs,
                  "Hold pairs that are not the same recording (default: on)")
      ->check(CLI::IsMember({"on", "off"}));
  command.add_flag("--permanent", args.permanent,
                   "With --mode delete: delete for good instead of moving to the trash");
  command.add_flag("--dry-run", args.dryRun,
                   "Decide and print everything a real run would do, change nothing");
  command.add_flag("--wait", args.wait,
                   "Wait for a folder another run works on instead of skipping it");
}

std::vector<std::string> ColumnTitles(const MAIN& m, bool problems) {
  std::vector<std::string> titles = {m.TitleName,    m.TitleFolder, m.TitleLength, m.TitleVBR,
                                     m.TitleBitrate, m.TitleErrors, m.TitleFrames};
  if (problems) titles.push_back("Problems");
  return titles;
}

enum class RunKind { kDuplicates, kErrors };

int ExitStatus(RunOutcome outcome, const CliView& view, RunKind kind) {
  if (outcome == RunOutcome::kRefused) return kExitFailed;
  if (outcome == RunOutcome::kAborted) return OutputClosed() ? kExitOutputClosed : StopStatus();
  if (view.ActionFailed()) return kExitActionFailed;
  if (view.FolderMissed()) return kExitFailed;
  if (kind == RunKind::kErrors && view.RowsAppended() > 0) return kExitErrorsFound;
  return kExitOk;
}

int Run(const RunArgs& args, RunKind kind) {
  LANGUAGE language;
  SetDefaultMessages(language);
  SETTINGS settings;
  const std::string settings_file = args.settingsFile.empty() ? SettingsPath() : args.settingsFile;
  LoadSettings(settings, DesignColumns(), language.MESSAGES, settings_file, PrintMessage);
  LoadLanguage(language, settings.lang, PrintMessage);
  if (const std::optional<std::string> refusal = ApplyRunArgs(args, settings)) {
    PrintError(*refusal);
    return kExitUsage;
  }
  if (kind == RunKind::kDuplicates && args.folders.empty()) {
    PrintError(ModeLine(settings, settings_file));
  }

  const bool problems = kind == RunKind::kErrors && settings.strictchecks;
  CliView view({.json = args.json,
                .verbose = args.verbose,
                .dryRun = args.dryRun,
                .progressByFolders = kind == RunKind::kDuplicates,
                .columnTitles = ColumnTitles(language.MAIN, problems)});
  SearchRun run{settings, language, view};
  run.options = {.waitForLocks = args.wait,
                 .dryRun = args.dryRun,
                 .deepCheck = args.decode,
                 .journal = true,
                 .settingsFile = settings_file,
                 .workers = args.workers};
  view.Attach(run);
  InstallStopSignals();
  const RunOutcome outcome =
      kind == RunKind::kDuplicates ? RunDuplicateSearch(run) : RunErrorDetection(run);
  view.Finish();
  return ExitStatus(outcome, view, kind);
}

}  // namespace

void AddWorkersOption(CLI::App& command, unsigned& workers) {
  command
      .add_option("--workers", workers,
                  "Threads that analyse files ahead (default: one per core, at most 4; 0: none)")
      ->check(CLI::Range(0u, 64u));
}

void AddSearchCommands(CLI::App& app, int& status) {
  // The arguments live as long as the parsed application.
  static RunArgs search_args, error_args;

  CLI::App* search = app.add_subcommand("search", "Find duplicates and keep the better copy");
  AddFolderOptions(*search, search_args);
  AddDuplicateOptions(*search, search_args);
  search->callback([&status] { status = Run(search_args, RunKind::kDuplicates); });

  CLI::App* errors =
      app.add_subcommand("errors", "List every MP3 file whose frame stream is damaged");
  AddFolderOptions(*errors, error_args);
  errors->add_flag("--decode", error_args.decode,
                   "Also decode every frame, to find damage no frame walk can see (slower)");
  errors->callback([&status] { status = Run(error_args, RunKind::kErrors); });
}

}  // namespace tarnwick::cli
