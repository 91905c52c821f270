#include "ui_support.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QMessageBox>

#include "platform/ini_file.h"
#include "support/mp3_stream.h"

namespace tarnwick::test {

// A modal box runs an event loop of its own, in which this timer keeps firing.
MessageRecorder::MessageRecorder() {
  connect(&timer_, &QTimer::timeout, this, &MessageRecorder::CloseOpenBoxes);
  timer_.start(1);
}

void MessageRecorder::CloseOpenBoxes() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box == nullptr || !box->isVisible()) continue;
    messages.push_back({box->text().toStdString(), box->windowTitle()});
    // A question is answered yes, as a user who asked for the action would.
    if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
      yes->click();
    } else {
      box->accept();
    }
  }
}

QStringList MessageRecorder::Texts() const {
  QStringList texts;
  for (const RecordedMessage& message : messages) texts << QString::fromStdString(message.text);
  return texts;
}

OpenedUrls::OpenedUrls() { QDesktopServices::setUrlHandler("file", this, "open"); }

OpenedUrls::~OpenedUrls() { QDesktopServices::unsetUrlHandler("file"); }

ProgramHome::ProgramHome(bool withLanguages) {
  if (withLanguages) {
    std::filesystem::copy(TARNWICK_LANGUAGE_SOURCE, dir_.path() + "language");
  }
  qputenv("TARNWICK_HOME", QByteArray::fromStdString(dir_.path()));
}

ProgramHome::~ProgramHome() { qunsetenv("TARNWICK_HOME"); }

void ProgramHome::WriteSettings(std::string_view text) const { WriteFileAt(SettingsFile(), text); }

std::string ProgramHome::ReadSettings() const { return ReadFile(SettingsFile()); }

QString ProgramHome::Setting(std::string_view key) const {
  return QString::fromStdString(IniFile(SettingsFile()).ReadString("Settings", key, "<missing>"));
}

std::string ConfiguredSettings(const std::string& mp3folder, std::string_view extra) {
  const bool check_set = extra.find("checkpairs=") != std::string_view::npos;
  return "[Settings]\nlang=english.ini\nconfigured=1\nmp3folder=" + mp3folder + "\n" +
         (check_set ? "" : "checkpairs=0\n") + std::string(extra);
}

ProgramFixture::ProgramFixture() : music(home.user().dir().MakeDir("music")) {}

ProgramFixture::~ProgramFixture() = default;

void ProgramFixture::Start(std::string_view extra) {
  home.WriteSettings(ConfiguredSettings(music, extra));
  program = std::make_unique<Program>(QStringList{"tarnwick"});
  program->fHaupt.show();
}

TfHaupt& ProgramFixture::Main() const { return program->fHaupt; }

QTableView& ProgramFixture::List() const { return Find<QTableView>(Main(), "lstInfo"); }

QString ProgramFixture::Cell(int row, int column, int role) const {
  return List().model()->index(row, column).data(role).toString();
}

QPoint ProgramFixture::RowCentre(int row) const {
  return List().visualRect(List().model()->index(row, 0)).center();
}

void ProgramFixture::Click(const char* button) const { Find<QPushButton>(Main(), button).click(); }

void ProgramFixture::DoubleClick(int row) const {
  List().selectRow(row);
  QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, RowCentre(row));
}

void WriteMp3(const std::string& path, int bitrate) { WriteFileAt(path, CbrStream(bitrate, 120)); }

void WritePairs(const std::string& folder, int count) {
  std::filesystem::create_directories(folder);
  for (int i = 0; i < count; ++i) {
    const std::string artist = "Artist " + std::string(1, static_cast<char>('A' + i));
    WriteMp3(folder + artist + " - Song.mp3", 128);
    WriteMp3(folder + "The " + artist + " - Song.mp3", 192);
  }
}

}  // namespace tarnwick::test
