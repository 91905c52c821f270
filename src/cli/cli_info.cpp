// tarnwick-cli info [--json] FILE...: the analysis of single MP3 files.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "mp3/mp3_info.h"

namespace tarnwick::cli {
namespace {

struct InfoOptions {
  bool json = false;
  bool problems = false;
  bool deep = false;
  std::vector<std::string> files;
};

// m:ss, or h:mm:ss from one hour up.
std::string PlayTime(int seconds) {
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  } else {
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
  }
  return text;
}

std::vector<std::string> Row(const std::string& path, const TMp3Info& info) {
  return {DisplayCell(path),
          PlayTime(info.Length),
          std::to_string(info.Bitrate) + " kbit/s",
          info.Vbr ? "yes" : "no",
          std::to_string(info.Errors),
          std::to_string(info.Frames)};
}

nlohmann::json JsonObject(const std::string& path, const TMp3Info& info) {
  return {{"path", Display(path)}, {"length", info.Length}, {"bitrate", info.Bitrate},
          {"errors", info.Errors}, {"vbr", info.Vbr},       {"frames", info.Frames}};
}

nlohmann::json JsonProblems(const std::vector<Problem>& problems) {
  nlohmann::json list = nlohmann::json::array();
  for (const Problem& p : problems) {
    list.push_back({{"kind", ProblemKindName(p.kind)}, {"offset", p.offset}, {"detail", p.detail}});
  }
  return list;
}

// With --problems the analysis names the problems of each file and shows no
// message of its own.
TMp3Info Analyse(const InfoOptions& options, const std::string& path, nlohmann::json& problems) {
  if (!options.problems) return ReadMp3Info(path, PrintMessage);
  const Mp3Analysis analysis = AnalyseMp3(path, options.deep);
  problems = JsonProblems(analysis.problems);
  return analysis.info;
}

// The analysis shows its own failure message (through the sink, on standard
// error); the line naming the file tells which file it was about.
int RunInfo(const InfoOptions& options) {
  int status = kExitOk;
  std::vector<std::vector<std::string>> rows = {
      {"FILE", "LENGTH", "BITRATE", "VBR", "ERRORS", "FRAMES"}};
  for (const std::string& path : options.files) {
    nlohmann::json problems;
    const TMp3Info info = Analyse(options, path, problems);
    if (info.Length < 0) {
      PrintError(Display(path) + ": analysis failed");
      status = kExitFailed;
    }
    // A failed file still has problems to list.
    if (options.json && (info.Length >= 0 || options.problems)) {
      nlohmann::json object = JsonObject(path, info);
      if (options.problems) object["problems"] = problems;
      PrintJsonLine(object);
    } else if (!options.json && info.Length >= 0) {
      rows.push_back(Row(path, info));
    }
  }
  if (!options.json && rows.size() > 1) PrintTable(rows);
  return status;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* info = app.add_subcommand(
      "info", "Shows play time, bitrate, VBR flag, errors and frames of MP3 files.");
  info->add_flag("--json", options->json, "One JSON object per file and line");
  info->add_flag("--problems", options->problems,
                 "With --json: also list the problems of each file (kind, offset, detail)");
  info->add_flag("--deep", options->deep, "With --problems: also decode every frame (slow)");
  info->add_option("FILE", options->files, "MP3 files to analyse")->required();
  info->callback([options, &status] { status = RunInfo(*options); });
}

}  // namespace tarnwick::cli
