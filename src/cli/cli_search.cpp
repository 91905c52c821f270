#include <map>
#include <string>
#include <vector>

#include "cli/cli_view.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "platform/text.h"
#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "settings/language.h"
#include "settings/settings.h"

namespace tarnwick::cli {
namespace {

// What both runs take from the command line.
struct RunArgs {
  std::vector<std::string> folders;
  std::string settingsFile;
  bool recursive = false;
  bool json = false;
  bool verbose = false;
  // Duplicate search only; empty means "as the settings file says".
  std::string mode, moveTo, unknownTo, vbr;
};

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
}

void AddDuplicateOptions(CLI::App& command, RunArgs& args) {
  command.add_option("--mode", args.mode, "What happens to the weaker copy of a pair")
      ->check(CLI::IsMember({"show", "move", "delete"}));
  command.add_option("--move-to", args.moveTo, "Folder that receives moved copies");
  command.add_option("--unknown-to", args.unknownTo,
                     "Move files named as unknown into this folder");
  command.add_option("--vbr", args.vbr, "Preference for variable bitrate")
      ->check(CLI::IsMember({"off", "ever", "double"}));
}

// Command-line choices override the settings for this run only; the
// settings file is never written.
void ApplyOverrides(const RunArgs& args, SETTINGS& s) {
  if (args.folders.size() == 1) {
    s.multifolder = false;
    s.mp3folder = WithTrailingSlash(args.folders.front());
  } else if (args.folders.size() > 1) {
    s.multifolder = true;
    s.folders.clear();
    for (const std::string& folder : args.folders) s.folders.push_back(WithTrailingSlash(folder));
  }
  if (args.recursive) s.searchinsubfolder = true;
  static const std::map<std::string, int> kModes = {
      {"show", kDoubleShow}, {"move", kDoubleMove}, {"delete", kDoubleDelete}};
  if (!args.mode.empty()) s.doubleMode = kModes.at(args.mode);
  if (!args.moveTo.empty()) s.movefolder = WithTrailingSlash(args.moveTo);
  if (!args.unknownTo.empty()) {
    s.unknownfolder = WithTrailingSlash(args.unknownTo);
    s.moveunknown = true;
  }
  if (!args.vbr.empty()) {
    s.vbr = args.vbr != "off";
    s.vbrever = args.vbr == "ever";
  }
}

std::vector<std::string> ColumnTitles(const MAIN& m) {
  return {m.TitleName,    m.TitleFolder, m.TitleLength, m.TitleVBR,
          m.TitleBitrate, m.TitleErrors, m.TitleFrames};
}

enum class RunKind { kDuplicates, kErrors };

int Run(const RunArgs& args, RunKind kind) {
  LANGUAGE language;
  SetDefaultMessages(language);
  SETTINGS settings;
  const DesignColumns columns;
  LoadSettings(settings, columns, language.MESSAGES,
               args.settingsFile.empty() ? SettingsPath() : args.settingsFile, PrintMessage);
  LoadLanguage(language, settings.lang, PrintMessage);
  ApplyOverrides(args, settings);

  CliView view({args.json, args.verbose, ColumnTitles(language.MAIN)});
  SearchRun run{settings, language, view};
  view.Attach(run);
  InstallInterruptHandler();
  const RunOutcome outcome =
      kind == RunKind::kDuplicates ? RunDuplicateSearch(run) : RunErrorDetection(run);
  view.Finish();
  if (outcome == RunOutcome::kRefused) return kExitFailed;
  if (outcome == RunOutcome::kAborted) return kExitInterrupted;
  if (kind == RunKind::kErrors && view.RowsAppended() > 0) return kExitErrorsFound;
  return kExitOk;
}

}  // namespace

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
  errors->callback([&status] { status = Run(error_args, RunKind::kErrors); });
}

}  // namespace tarnwick::cli
