// tarnwick-cli info [--json] [--decode] FILE...: the analysis of single MP3
// files, with the problems of each stream.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_rows.h"
#include "cli/output.h"
#include "history/path_field.h"
#include "mp3/ahead_analysis.h"
#include "mp3/mp3_info.h"
#include "search/row_format.h"

namespace tarnwick::cli {
namespace {

struct InfoOptions {
  bool json = false;
  bool decode = false;
  unsigned workers = DefaultWorkers();
  std::vector<std::string> files;
};

std::vector<std::string> Row(const std::string& path, const Mp3Analysis& analysis) {
  const TMp3Info& info = analysis.info;
  const std::string problems = ProblemsText(analysis.problems);
  if (analysis.failure != 0) return {DisplayCell(path), "-", "-", "-", "-", "-", problems};
  return {DisplayCell(path),
          ClockTime(info.Length),
          std::to_string(info.Bitrate) + " kbit/s",
          info.Vbr ? "yes" : "no",
          std::to_string(info.Errors),
          std::to_string(info.Frames),
          problems};
}

// Every file gets its object; a failed one says why instead of its values.
nlohmann::json JsonObject(const std::string& path, const Mp3Analysis& analysis) {
  nlohmann::json object;
  PutPath(object, "path", path);
  if (analysis.failure == 0) {
    PutAnalysis(object, analysis.info);
  } else {
    object["failure"] = analysis.failure;
    object["message"] = Mp3FailureText(analysis.failure);
  }
  object["problems"] = ProblemsArray(analysis.problems);
  return object;
}

// A failed file's message goes to standard error with its path, as the
// desktop program shows it; the status tells a script that one failed.
int RunInfo(const InfoOptions& options) {
  int status = kExitOk;
  std::vector<std::vector<std::string>> rows = {
      {"FILE", "LENGTH", "BITRATE", "VBR", "ERRORS", "FRAMES", "PROBLEMS"}};
  AheadAnalysis ahead({.workers = options.workers, .deep = options.decode});
  ahead.Plan(options.files);
  for (const std::string& path : options.files) {
    const Mp3Analysis analysis = ahead.Take(path);
    if (analysis.failure != 0) {
      PrintError(DisplayCell(path) + ": " + Mp3FailureText(analysis.failure));
      status = kExitFailed;
    }
    if (options.json) {
      PrintJsonLine(JsonObject(path, analysis));
    } else {
      rows.push_back(Row(path, analysis));
    }
  }
  if (!options.json) PrintTable(rows);
  return status;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* info = app.add_subcommand(
      "info", "Shows play time, bitrate, VBR flag, errors, frames and problems of MP3 files.");
  info->add_flag("--json", options->json, "One JSON object per file and line");
  info->add_flag("--decode", options->decode,
                 "Also decode every frame, to find damage no frame walk can see (slower)");
  AddWorkersOption(*info, options->workers);
  info->add_option("FILE", options->files, "MP3 files to analyse")->required();
  info->callback([options, &status] { status = RunInfo(*options); });
}

}  // namespace tarnwick::cli
