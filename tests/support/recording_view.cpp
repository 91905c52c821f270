#include "support/recording_view.h"

#include <fcntl.h>

namespace tarnwick::test {

void RecordingView::AppendRow(const ResultRow& row) {
  rows.push_back(row);
  std::string line = std::string(RowKindName(row.kind)) + " " + row.caption;
  for (const std::string& item : row.subItems) line += "|" + item;
  line += " " + row.path + " failure " + std::to_string(row.failure);
  for (const Problem& p : row.problems) line += " " + std::to_string(p.offset) + ":" + p.detail;
  log.push_back(line);
}

void RecordingView::FileActionTried(const FileAction& a) {
  actions.push_back(a);
  log.push_back(std::string(FileActionName(a.kind)) + " " + a.from + " -> " + a.to + " " +
                a.error.message());
}

void RecordingView::PairHeld(const HeldPair& pair) {
  held.push_back(pair);
  log.push_back(std::string("held ") + HeldReasonName(pair.reason) + " " + pair.fileA + " " +
                pair.fileB + " " + (pair.similarity ? std::to_string(*pair.similarity) : "-"));
}

std::vector<std::string> RecordingView::RowTexts() const {
  std::vector<std::string> texts;
  for (const ResultRow& row : rows) {
    if (row.IsSeparator()) continue;
    std::string text = row.caption;
    for (const std::string& item : row.subItems) text += "|" + item;
    texts.push_back(text);
  }
  return texts;
}

RunFixture::RunFixture() {
  SetDefaultMessages(language);
  language.MAIN.ButtonExit = "Exit";
  language.MAIN.ButtonCancel = "Cancel";
  language.MAIN.TitleYes = "yes";
  language.MAIN.TitleNo = "no";
  settings.priority = {0, 1, 2, 3, 4};
  settings.vbrdouble = true;
  settings.lang = "english.ini";

  // The runs as first designed; tests of the additions switch them on.
  settings.trash = false;
  settings.checkpairs = false;
  settings.strictchecks = false;
  run.options.journal = false;
}

void RunFixture::EnterMusicFolder() {
  run.collection = &collection;
  collection.EnterFolder(settings.mp3folder, settings.mp3folder);
}

FileIdentity IdentityOfFile(const std::string& path) {
  return IdentityAt(AT_FDCWD, path).value_or(FileIdentity{});
}

void RunFixture::UseFoldersIn(const TempDir& dir) {
  settings.mp3folder = dir.MakeDir("music");
  settings.movefolder = dir.MakeDir("moved");
  settings.unknownfolder = dir.MakeDir("unknown");
}

}  // namespace tarnwick::test
