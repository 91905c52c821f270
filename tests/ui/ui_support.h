#pragma once

// Every UI test drives the program's windows with QTest; these are the
// headers they all need.
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_dir.h"
#include "support/user_home.h"
#include "ui/program.h"

namespace tarnwick::test {

// A message as the program would have shown it: its text and the caption
// of its box.
struct RecordedMessage {
  std::string text;
  QString title;
};

// For as long as it lives, records every message box the program shows and
// closes it with OK, as a user would.
class MessageRecorder : public QObject {
 public:
  MessageRecorder();

  QStringList Texts() const;

  std::vector<RecordedMessage> messages;

 private:
  void CloseOpenBoxes();

  QTimer timer_;
};

// The program's folder for one test: TARNWICK_HOME names a temporary folder
// with a copy of the project's language files (unless left out) and, once
// written, the settings file. Music folders go below it too. The user's home
// is a temporary one as well, so trash and journals stay in the test.
class ProgramHome {
 public:
  explicit ProgramHome(bool withLanguages = true);
  ~ProgramHome();

  const TempDir& dir() const { return dir_; }
  const TempUserHome& user() const { return user_; }
  std::string SettingsFile() const { return dir_.path() + "tarnwick.ini"; }
  void WriteSettings(std::string_view text) const;
  std::string ReadSettings() const;
  // A value of the section "Settings" as the file holds it now.
  QString Setting(std::string_view key) const;

 private:
  TempUserHome user_;
  TempDir dir_;
};

// For as long as it lives, receives the addresses of files the program asks
// the desktop to open.
class OpenedUrls : public QObject {
  Q_OBJECT

 public:
  OpenedUrls();
  ~OpenedUrls() override;

  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls << url; }
};

// Settings of a configured program whose MP3 folder is `mp3folder`, plus
// `extra` lines of the section "Settings". The pair check is off unless
// `extra` sets it: the tests' streams are silent, and the check holds what it
// cannot hear.
std::string ConfiguredSettings(const std::string& mp3folder, std::string_view extra = "");

// The control of a window by its object name; a missing one ends the test
// run, since every test below relies on the names.
template <typename Control>
Control& Find(const QObject& window, const char* name) {
  Control* control = window.findChild<Control*>(QLatin1String(name));
  if (control == nullptr) qFatal("no control named %s", name);
  return *control;
}

inline int RowCount(const QObject& mainWindow) {
  return Find<QTableView>(mainWindow, "lstInfo").model()->rowCount();
}

// Answers the next pop-up menu or modal dialog of type Popup: `answer` gets
// it (and may trigger an entry, accept or reject it), then it closes.
template <typename Popup>
void AnswerNext(const std::function<void(Popup&)>& answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    QWidget* menu = QApplication::activePopupWidget();
    auto* popup = qobject_cast<Popup*>(menu != nullptr ? menu : QApplication::activeModalWidget());
    if (popup == nullptr) return;
    poll->deleteLater();
    answer(*popup);
    popup->close();
  });
  poll->start(10);
}

// A configured program on a music folder in the user's home (so that its
// trash is on the same file system), its messages recorded.
struct ProgramFixture {
  ProgramFixture();
  ~ProgramFixture();

  // Writes the settings with `extra` lines, starts the program and shows
  // its main window.
  void Start(std::string_view extra = "");
  TfHaupt& Main() const;
  QTableView& List() const;
  QString Cell(int row, int column = 0, int role = Qt::DisplayRole) const;
  QPoint RowCentre(int row) const;
  void Click(const char* button) const;
  // Selects the row and double-clicks it, as a user would.
  void DoubleClick(int row) const;

  ProgramHome home;
  MessageRecorder recorder;
  std::string music;
  std::unique_ptr<Program> program;
};

// Writes `count` duplicate pairs into `folder`: "Artist X - Song.mp3" and
// "The Artist X - Song.mp3", whose names reduce to the same title key. The
// run lists each pair as a separator and two rows.
void WritePairs(const std::string& folder, int count);

// Writes one MP3 file of a few seconds at `bitrate`.
void WriteMp3(const std::string& path, int bitrate = 128);

}  // namespace tarnwick::test
