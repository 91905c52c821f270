#include "search/file_actions.h"

#include <array>
#include <string_view>

#include "platform/format.h"
#include "platform/text.h"
#include "search/collection.h"
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

MoveResult MoveFileUnique(Collection& collection, const std::string& source,
                          const std::string& target, const FileIdentity& expected) {
  std::string base, extension;
  SplitTarget(target, base, extension);
  std::string candidate = base + extension;
  // A name can be taken between the test and the move; then the next number
  // is tried, so that nothing is ever replaced.
  for (int n = 2;; ++n) {
    if (!collection.Exists(candidate)) {
      const std::error_code error =
          collection.Move(FileAction::Kind::kMove, source, candidate, expected);
      if (error != std::errc::file_exists) return {candidate, error};
    }
    candidate = base + "_" + std::to_string(n) + extension;
  }
}

namespace {

// The file as it is now, for an action on a file the run has not analysed.
std::optional<FileIdentity> CurrentIdentity(SearchRun& run, const std::string& path) {
  return run.collection->Identity(path);
}

// Lets pending events through after an action; true when the run goes on.
bool GoesOn(SearchRun& run) {
  run.view.ProcessPendingEvents();
  return !run.settings.stopped;
}

void MoveUnknownFile(SearchRun& run, const std::string& path) {
  run.view.AppendRow(UnknownRow(path));
  const std::string target = run.settings.unknownfolder + std::string(FileNameOf(path));
  const std::optional<FileIdentity> identity = CurrentIdentity(run, path);
  const MoveResult moved =
      identity ? MoveFileUnique(*run.collection, path, target, *identity)
               : MoveResult{target, std::make_error_code(std::errc::no_such_file_or_directory)};
  Report(run, FileAction::Kind::kMove, path, moved.target, moved.error);
}

}  // namespace

void HandleUnknownFiles(SearchRun& run) {
  TrackList& tracks = run.tracks;
  for (size_t k = 0; k < tracks.size(); ++k) {
    if (!IsUnknownName(tracks.trackKeys[k])) continue;
    const std::string path = tracks.trackPaths[k];
    tracks.trackKeys[k].clear();
    tracks.trackPaths[k].clear();
    if (!run.settings.moveunknown) continue;
    MoveUnknownFile(run, path);
    if (!GoesOn(run)) return;
  }
}

void RemoveTrack(SearchRun& run, size_t k, const FileIdentity& expected) {
  const std::string& path = run.tracks.trackPaths[k];
  Collection& collection = *run.collection;
  if (run.settings.doubleMode == kDoubleMove) {
    const std::string target = run.settings.movefolder + std::string(FileNameOf(path));
    const MoveResult moved = MoveFileUnique(collection, path, target, expected);
    Report(run, FileAction::Kind::kMove, path, moved.target, moved.error);
  } else if (run.settings.doubleMode == kDoubleDelete && run.settings.trash) {
    const TrashResult trashed = collection.Trash(path, expected);
    Report(run, FileAction::Kind::kTrash, path, trashed.entry.file, trashed.error);
  } else if (run.settings.doubleMode == kDoubleDelete) {
    Report(run, FileAction::Kind::kDelete, path, "", collection.Delete(path, expected));
  }
  run.tracks.trackKeys[k].clear();
}

// Only names with a one-digit numbering suffix before a lower-case ".mp3"
// are candidates; the test for the plain name is made in the folder itself.
void RestoreNames(SearchRun& run) {
  const std::string& folder = run.settings.mp3folder;
  Collection& collection = *run.collection;
  for (const std::string& name : collection.ListMp3()) {
    std::string base;
    if (!StripNumberingSuffix(name, base) || base + ".mp3" == name) continue;
    const std::string from = folder + name;
    const std::string plain = folder + base + ".mp3";
    if (collection.Exists(plain)) {
      run.view.ShowMessage(FormatText(run.language.MESSAGES.MsgFileExists, base));
      continue;
    }
    const std::optional<FileIdentity> identity = CurrentIdentity(run, from);
    const std::error_code error =
        identity ? collection.Move(FileAction::Kind::kRename, from, plain, *identity)
                 : std::make_error_code(std::errc::no_such_file_or_directory);
    Report(run, FileAction::Kind::kRename, from, plain, error);
    if (!GoesOn(run)) return;
  }
}

}  // namespace tarnwick
