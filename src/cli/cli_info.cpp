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

// The analysis shows its own failure message (through the sink, on standard
// error); the line naming the file tells which file it was about.
int RunInfo(const InfoOptions& options) {
  int status = kExitOk;
  std::vector<std::vector<std::string>> rows = {
      {"FILE", "LENGTH", "BITRATE", "VBR", "ERRORS", "FRAMES"}};
  for (const std::string& path : options.files) {
    const TMp3Info info = ReadMp3Info(path, PrintMessage);
    if (info.Length < 0) {
      PrintError(Display(path) + ": analysis failed");
      status = kExitFailed;
    } else if (options.json) {
      PrintJsonLine(JsonObject(path, info));
    } else {
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
  info->add_option("FILE", options->files, "MP3 files to analyse")->required();
  info->callback([options, &status] { status = RunInfo(*options); });
}

}  // namespace tarnwick::cli
