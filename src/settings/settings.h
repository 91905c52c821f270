#pragma once

#include <string>
#include <vector>

#include "platform/message_sink.h"
#include "settings/language.h"

namespace tarnwick {

// What happens to the weaker copy of a duplicate pair.
enum DoubleMode : int { kDoubleShow = 0, kDoubleMove = 1, kDoubleDelete = 2 };

// The options of the program plus the run state. Folder paths end with '/'.
struct SETTINGS {
  std::vector<int> titleWidth;       // one width per result list column
  std::vector<int> priority;         // duplicate-choice rules in the order tried; never stored
  std::vector<std::string> folders;  // the folder list of multi-folder mode
  std::string mp3folder;             // during a run: the folder being processed
  std::string mp3folderSaved;        // mp3folder as it was when the run began
  std::string movefolder;
  std::string unknownfolder;
  int doubleMode = kDoubleShow;
  bool multifolder = false;
  bool searchinsubfolder = false;
  bool autostart = false;
  bool close = false;
  bool moveunknown = false;
  bool vbr = false;
  bool vbrever = false;
  bool vbrdouble = false;
  bool idle = false;
  bool configured = false;
  bool trash = true;         // delete mode moves to the trash; false deletes for good
  bool checkpairs = true;    // hold pairs that are not the same recording
  bool strictchecks = true;  // the error detection lists damage beyond the error count
  std::string lang;
  bool stopped = true;  // true while no run is active
};

// The result list's columns as the settings see them; the main window
// implements it, the command line uses the designed widths.
class ResultColumns {
 public:
  virtual ~ResultColumns() = default;
  virtual int ColumnCount() const = 0;
  virtual int ColumnWidth(int column) const = 0;
  virtual void SetColumnWidth(int column, int width) = 0;
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
};

// The seven columns of 50 pixels each that the window is designed with.
class DesignColumns : public ResultColumns {
 public:
  int ColumnCount() const override { return static_cast<int>(widths_.size()); }
  int ColumnWidth(int column) const override { return widths_.at(column); }
  void SetColumnWidth(int column, int width) override { widths_.at(column) = width; }

 private:
  std::vector<int> widths_ = std::vector<int>(7, 50);
};

constexpr const char* kSettingsFileName = "tarnwick.ini";

// The settings file in the application folder.
std::string SettingsPath();

// Fills `settings` from the file, warns through `show` about missing folders
// with the messages in force (the built-in English ones at start-up) and
// sets the process priority. Folder paths read end with '/'.
void LoadSettings(SETTINGS& settings, const ResultColumns& columns, const MESSAGES& messages,
                  const std::string& path, const MessageSink& show);

// Writes the options and the folder list in one atomic write; false, after
// the message "Unable to write to <path>: <reason>", when the file refused it.
bool SaveSettings(const SETTINGS& settings, const std::string& path, const MessageSink& show);

bool SaveColumnWidths(const ResultColumns& columns, const std::string& path,
                      const MessageSink& show);
void ApplyColumnWidths(const SETTINGS& settings, ResultColumns& columns);

}  // namespace tarnwick
