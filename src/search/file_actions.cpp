#include "search/file_actions.h"

#include <array>
#include <string_view>

#include "platform/file_moves.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/text.h"
#include "search/row_format.h"
#include "search/title_rules.h"

namespace tarnwick {
namespace {

constexpr std::array<std::string_view, 3> kUnknownEndings = {"- unknown.mp3", "- unnamed.mp3",
                                                             "- untitled.mp3"};
constexpr std::array<std::string_view, 3> kUnknownStarts = {"unknown -", "unnamed -", "untitled -"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Splits "Song_2.MP3" into "Song" and ".MP3". A name without an MP3
// extension keeps all of it and gets ".mp3".
void SplitTarget(const std::string& target, std::string& base, std::string& extension) {
  const std::string_view name = FileNameOf(target);
  const bool has_mp3 = name.size() >= 4 && LowerAscii(name.substr(name.size() - 4)) == ".mp3";
  extension = has_mp3 ? std::string(name.substr(name.size() - 4)) : ".mp3";
  base = has_mp3 ? target.substr(0, target.size() - 4) : target;
  const std::string_view stem = FileNameOf(base);
  if (stem.size() >= 2 && stem[stem.size() - 2] == '_' && IsDigit(stem.back())) {
    base.resize(base.size() - 2);
  }
}

void Report(SearchRun& run, FileAction::Kind kind, const std::string& from, const std::string& to,
            std::error_code error) {
  run.view.FileActionTried({kind, from, to, error});
}

}  // namespace

bool IsUnknownName(const std::string& lowered_name) {
  for (std::string_view ending : kUnknownEndings) {
    if (lowered_name.find(ending) != std::string::npos) return true;
  }
  for (std::string_view start : kUnknownStarts) {
    if (lowered_name.starts_with(start)) return true;
  }
  return false;
}

MoveResult MoveFileUnique(const std::string& source, const std::string& target) {
  std::string base, extension;
  SplitTarget(target, base, extension);
  std::string candidate = base + extension;
  // A name can be taken between the test and the move; then the next number
  // is tried, so that nothing is ever replaced.
  for (int n = 2;; ++n) {
    if (!FileExists(candidate)) {
      const std::error_code error = MoveFileNoReplace(source, candidate);
      if (!error || !FileExists(candidate)) return {candidate, error};
    }
    candidate = base + "_" + std::to_string(n) + extension;
  }
}

void HandleUnknownFiles(SearchRun& run) {
  TrackList& tracks = run.tracks;
  for (size_t k = 0; k < tracks.size(); ++k) {
    if (!IsUnknownName(tracks.trackKeys[k])) continue;
    if (run.settings.moveunknown) {
      const std::string& path = tracks.trackPaths[k];
      run.view.AppendRow(UnknownRow(path));
      const MoveResult moved =
          MoveFileUnique(path, run.settings.unknownfolder + std::string(FileNameOf(path)));
      Report(run, FileAction::Kind::kMove, path, moved.target, moved.error);
    }
    tracks.trackKeys[k].clear();
    tracks.trackPaths[k].clear();
  }
}

void RemoveTrack(SearchRun& run, size_t k) {
  const std::string& path = run.tracks.trackPaths[k];
  if (run.settings.doubleMode == kDoubleMove) {
    const MoveResult moved =
        MoveFileUnique(path, run.settings.movefolder + std::string(FileNameOf(path)));
    Report(run, FileAction::Kind::kMove, path, moved.target, moved.error);
  } else if (run.settings.doubleMode == kDoubleDelete) {
    Report(run, FileAction::Kind::kDelete, path, "", DeleteFile(path));
  }
  run.tracks.trackKeys[k].clear();
}

// Only names with a one-digit numbering suffix before a lower-case ".mp3"
// are candidates; the test for the plain name is made in the folder itself.
void RestoreNames(SearchRun& run) {
  const std::string& folder = run.settings.mp3folder;
  for (const std::string& name : ListFiles(folder, ".mp3")) {
    std::string base;
    if (!StripNumberingSuffix(name, base) || base + ".mp3" == name) continue;
    const std::string plain = folder + base + ".mp3";
    if (FileExists(plain)) {
      run.view.ShowMessage(FormatText(run.language.MESSAGES.MsgFileExists, base));
      continue;
    }
    Report(run, FileAction::Kind::kRename, folder + name, plain,
           MoveFileNoReplace(folder + name, plain));
  }
}

}  // namespace tarnwick
