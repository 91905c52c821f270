// tarnwick-cli key: shows the title key of each name, so a user can see why
// two files were (or were not) taken for the same song.

#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "platform/text.h"
#include "search/title_rules.h"

namespace tarnwick::cli {
namespace {

struct KeyOptions {
  bool json = false;
  std::vector<std::string> names;
};

void PrintKeys(const KeyOptions& options) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& name : options.names) {
    // Only the file name is keyed, never its folder.
    const std::string key = TitleKey(FileNameOf(name));
    if (options.json) {
      PrintJsonLine({{"name", Display(name)}, {"key", key}});
    } else {
      rows.push_back({DisplayCell(name), key});
    }
  }
  if (!options.json) PrintTable(rows);
}

}  // namespace

void AddKeyCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<KeyOptions>();
  CLI::App* command = app.add_subcommand("key", "Show the title key of each file name.");
  command->add_flag("--json", options->json, "One JSON object per line");
  command->add_option("NAME", options->names, "File names, with or without a folder")->required();
  command->callback([options, &status] {
    PrintKeys(*options);
    status = kExitOk;
  });
}

}  // namespace tarnwick::cli
