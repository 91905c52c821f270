#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_identity.h"
#include "search/disk_collection.h"
#include "search/run_view.h"
#include "search/search_run.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

// A headless RunView that records what a run shows. `onPendingEvents` runs
// inside ProcessPendingEvents with its 1-based call number, which is where a
// test presses the exit button, as a user's click would arrive.
class RecordingView : public RunView {
 public:
  std::vector<std::string> messages;
  std::vector<ResultRow> rows;
  std::vector<FileAction> actions;
  std::vector<HeldPair> held;
  // Rows, actions and held pairs as text, in the order they came.
  std::vector<std::string> log;
  std::vector<std::string> statusTexts[3];
  std::vector<std::string> exitCaptions;
  std::vector<int> progressPositions;
  int progressMax = -1;
  int pendingEventCalls = 0;
  int countdownsShown = 0;
  bool runButtonsEnabled = true;
  std::function<void(int call)> onPendingEvents;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ProgressReset() override { progressPositions.push_back(0); }
  void SetProgressMax(int n) override { progressMax = n; }
  void SetProgressPosition(int n) override { progressPositions.push_back(n); }
  void ClearRows() override { rows.clear(); }
  void AppendRow(const ResultRow& row) override;
  void ProcessPendingEvents() override {
    ++pendingEventCalls;
    if (onPendingEvents) onPendingEvents(pendingEventCalls);
  }
  void SetRunButtons(bool enabled) override { runButtonsEnabled = enabled; }
  void SetExitButton(const std::string& text) override { exitCaptions.push_back(text); }
  void ShowExitCountdown() override { ++countdownsShown; }
  void SetStatusText(int panel, const std::string& text) override {
    statusTexts[panel].push_back(text);
  }
  void FileActionTried(const FileAction& action) override;
  void PairHeld(const HeldPair& pair) override;

  // Rows that are not separators, as "caption|item|item...".
  std::vector<std::string> RowTexts() const;
};

// Settings, texts and a view wired into one run, for tests of whole runs.
// Deletions are permanent unless a test asks for the trash (with a trash
// folder of its own).
struct RunFixture {
  SETTINGS settings;
  LANGUAGE language;
  RecordingView view;
  SearchRun run{settings, language, view};
  DiskCollection collection{{.lockFolders = false}};

  RunFixture();
  // Makes "music", "moved" and "unknown" in `dir` the MP3, move and unknown folders.
  void UseFoldersIn(const TempDir& dir);
  // For tests of single file actions outside a run: the collection with the
  // MP3 folder in work.
  void EnterMusicFolder();
};

// The identity of the file at `path` now.
FileIdentity IdentityOfFile(const std::string& path);

}  // namespace tarnwick::test
