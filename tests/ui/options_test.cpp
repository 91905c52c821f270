// The options dialog: how it fills and greys out, its enabling rules, the
// five checks of OK in their order, what OK stores and what Abbrechen drops,
// and the shortcut buttons.

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

#include "platform/app_folder.h"
#include "ui_support.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// A configured program whose options dialog is open.
struct Fixture : ProgramFixture {
  explicit Fixture(std::string_view extraSettings = "") {
    Start(extraSettings);
    Click("btnOptionen");
    recorder.messages.clear();
  }

  template <typename Control>
  Control& Dialog(const char* name) {
    return Find<Control>(program->fOptionen, name);
  }
  QWidget& CurrentPage() { return *Dialog<QTabWidget>("pcTabs").currentWidget(); }
  void PressOk() { Dialog<QPushButton>("btnOK").click(); }
};

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void showsStoredSettingsAndDropsEditsOnAbort();
  void checksRunInOrderOneMessageAPress();
  void okAddsSlashesStoresAndSwitchesLanguage();
  void failedWriteKeepsDialogOpen();
  void storedChoices();
  void folderPickers();
  void shortcutButtons();
};

// The dialog shows the stored settings and greys out the main window. OK
// refuses an empty rule list; Esc or Abbrechen closes the dialog and drops
// every edit.
void OptionsTest::showsStoredSettingsAndDropsEditsOnAbort() {
  Fixture f("double=2\nmovefolder=/nowhere/\nmultifolder=1\n[Folders]\n0=/a/\n1=/b/\n");
  const std::string before = f.home.ReadSettings();
  QLineEdit& song = f.Dialog<QLineEdit>("editSong");
  QListWidget& folders = f.Dialog<QListWidget>("listMultiFolder");
  QVERIFY(f.program->fOptionen.isVisible() && !f.program->fHaupt.isEnabled());
  QCOMPARE(song.text(), QString::fromStdString(f.music));
  QCOMPARE(f.Dialog<QLineEdit>("editMove").text(), QString("/nowhere/"));
  QVERIFY(f.Dialog<QRadioButton>("raDoubleItem2").isChecked());
  QVERIFY(f.Dialog<QCheckBox>("chMultiFolder").isChecked());
  QCOMPARE(folders.count(), 2);
  QCOMPARE(f.Dialog<QComboBox>("cbLang").currentText(), QString("English"));

  song.setText("/elsewhere/");
  folders.addItem("/extra/");
  f.Dialog<QListWidget>("listPrio").clear();
  f.PressOk();
  QCOMPARE(f.recorder.Texts(), QStringList{"no entries found in the priority list!"});
  QCOMPARE(f.CurrentPage().objectName(), QString("ts2"));
  QTest::keyClick(&song, Qt::Key_Escape);
  QVERIFY(!f.program->fOptionen.isVisible() && f.program->fHaupt.isEnabled());
  QCOMPARE(f.home.ReadSettings(), before);
  f.Click("btnOptionen");
  QCOMPARE(song.text(), QString::fromStdString(f.music));
  QCOMPARE(folders.count(), 2);
  f.Dialog<QPushButton>("btnAbort").click();
  QVERIFY(!f.program->fOptionen.isVisible());
}

// Each press shows at most the first failing check, brings its page to the
// front and selects the field; nothing is stored until all pass.
void OptionsTest::checksRunInOrderOneMessageAPress() {
  Fixture f("moveunknown=1\nunknownfolder=/no/unknown/\n");
  const std::string before = f.home.ReadSettings();
  QLineEdit& song = f.Dialog<QLineEdit>("editSong");
  const QString file = QString::fromStdString(f.home.dir().WriteFile("not-a-folder", "x"));
  song.setText(file);
  f.Dialog<QTabWidget>("pcTabs").setCurrentIndex(1);
  f.PressOk();
  QCOMPARE(f.CurrentPage().objectName(), QString("ts1"));
  QCOMPARE(f.program->fOptionen.focusWidget(), &song);
  QCOMPARE(song.selectedText(), song.text());

  song.setText(QString::fromStdString(f.music));
  f.PressOk();
  QCOMPARE(f.program->fOptionen.focusWidget(), &f.Dialog<QLineEdit>("editUnknown"));
  f.Dialog<QRadioButton>("raDoubleItem1").click();
  f.Dialog<QLineEdit>("editMove").setText("");
  f.PressOk();
  f.Dialog<QCheckBox>("chMultiFolder").click();
  f.PressOk();
  QCOMPARE(f.CurrentPage().objectName(), QString("ts2"));
  QCOMPARE(f.recorder.Texts(),
           QStringList({"MP3 folder: directory \"" + file + "\" does not exist",
                        "unknown files: directory \"/no/unknown/\" does not exist",
                        "moved files: directory \"\" does not exist",
                        "MP3 folder: no directory chosen"}));
  QCOMPARE(f.home.ReadSettings(), before);
  QVERIFY(f.program->fOptionen.isVisible());
}

// Slashes go only onto the fields that were checked; the language chosen
// shows on the main window at once and in the dialog the next time.
void OptionsTest::okAddsSlashesStoresAndSwitchesLanguage() {
  Fixture f;
  const QString music = QString::fromStdString(f.music);
  f.Dialog<QLineEdit>("editSong").setText(music.chopped(1));
  f.Dialog<QLineEdit>("editMove").setText("/not/checked");
  f.Dialog<QCheckBox>("chAutostart").click();
  QComboBox& languages = f.Dialog<QComboBox>("cbLang");
  languages.setCurrentIndex(languages.findText("Deutsch"));
  f.PressOk();
  QVERIFY(f.recorder.messages.empty());
  QVERIFY(f.program->fHaupt.isEnabled());
  QCOMPARE(QStringList({f.home.Setting("mp3folder"), f.home.Setting("movefolder"),
                        f.home.Setting("lang"), f.home.Setting("autostart")}),
           QStringList({music, "/not/checked", "deutsch.ini", "1"}));
  QCOMPARE(Find<QPushButton>(f.Main(), "btnEnde").text(), QString("Beenden"));
  QVERIFY(!Find<QTimer>(f.Main(), "tAutostart").isActive());

  f.Click("btnOptionen");
  QCOMPARE(f.Dialog<QPushButton>("btnAbort").text(), QString("&Abbrechen"));
  QCOMPARE(f.Dialog<QComboBox>("cbLang").currentText(), QString("Deutsch"));
}

// The settings have changed already, but the dialog stays open and the
// language is not read again, which would say that it is missing here.
void OptionsTest::failedWriteKeepsDialogOpen() {
  Fixture f;
  // Nobody, not even root, can create a file in /proc.
  qputenv("TARNWICK_HOME", "/proc/");
  f.Dialog<QLineEdit>("editSong").setText(QString::fromStdString(f.home.dir().path()));
  f.PressOk();
  QCOMPARE(f.recorder.Texts(),
           QStringList{"Unable to write to /proc/tarnwick.ini: No such file or directory"});
  QVERIFY(f.program->fOptionen.isVisible());
  QCOMPARE(f.program->fHaupt.Settings().mp3folder, f.home.dir().path());
}

// VBR choices both stored off: neither button is on, and OK keeps both off;
// both stored on: the second wins. The trash choice belongs to "delete";
// it and the pair check are stored by OK.
void OptionsTest::storedChoices() {
  {
    Fixture f("vbrever=0\nvbrdouble=0\ndouble=2\ntrash=0\ncheckpairs=1\n");
    QVERIFY(!f.Dialog<QRadioButton>("raVBRever").isChecked() &&
            !f.Dialog<QRadioButton>("raVBRdouble").isChecked());
    QCheckBox& trash = f.Dialog<QCheckBox>("chTrash");
    QVERIFY(trash.isEnabled());
    f.Dialog<QRadioButton>("raDoubleItem0").click();
    QVERIFY(!trash.isEnabled());
    f.Dialog<QRadioButton>("raDoubleItem2").click();
    trash.click();                                // stored off, now on
    f.Dialog<QCheckBox>("chCheckPairs").click();  // stored on, now off
    f.PressOk();
    QCOMPARE(f.home.Setting("vbrever") + f.home.Setting("vbrdouble"), QString("00"));
    QCOMPARE(f.home.Setting("trash") + f.home.Setting("checkpairs"), QString("10"));
  }
  Fixture f("vbrever=1\nvbrdouble=1\n");
  QVERIFY(!f.Dialog<QRadioButton>("raVBRever").isChecked() &&
          f.Dialog<QRadioButton>("raVBRdouble").isChecked());
  f.Dialog<QCheckBox>("chVBR").click();
  f.Dialog<QRadioButton>("raVBRever").click();
  QVERIFY(!f.Dialog<QRadioButton>("raVBRdouble").isChecked());
}

// A folder comes back without a final slash; the folder list adds one and
// refuses a folder it holds. A cancelled picker changes nothing. A picker
// opens at the folder it is to replace. Delete takes the selected folder out.
void OptionsTest::folderPickers() {
  Fixture f("multifolder=1\n[Folders]\n0=/a/\n");
  const QString picked = QString::fromStdString(f.home.dir().MakeDir("picked"));
  QString title, openedAt;
  // With nothing typed, a folder dialog answers with the folder it shows.
  const auto choose = [&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    openedAt = dialog.directory().absolutePath() + "/";
    dialog.setDirectory(picked);
    static_cast<QDialog&>(dialog).accept();
  };
  AnswerNext<QFileDialog>(choose);
  f.Dialog<QPushButton>("btnMultiFolderNew").click();
  QCOMPARE(openedAt, QString::fromStdString(f.music));
  AnswerNext<QFileDialog>(choose);
  f.Dialog<QPushButton>("btnMultiFolderNew").click();
  QCOMPARE(f.recorder.Texts(), QStringList{"\"" + picked + "\" is in the list already"});
  AnswerNext<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  f.Dialog<QPushButton>("btnMultiFolderNew").click();
  QListWidget& list = f.Dialog<QListWidget>("listMultiFolder");
  f.Dialog<QPushButton>("btnMultiFolderDelete").click();  // nothing selected
  QCOMPARE(list.count(), 2);
  list.setCurrentRow(0);
  f.Dialog<QPushButton>("btnMultiFolderDelete").click();
  QCOMPARE(list.count(), 1);
  QCOMPARE(list.item(0)->text(), picked);

  f.Dialog<QRadioButton>("raDoubleItem1").click();
  const std::string moved = f.home.dir().MakeDir("moved");
  f.Dialog<QLineEdit>("editMove").setText(QString::fromStdString(moved));
  AnswerNext<QFileDialog>(choose);
  f.Dialog<QPushButton>("btnMove").click();
  QCOMPARE(title, QString("Choose the folder for duplicate files"));
  QCOMPARE(openedAt, QString::fromStdString(moved));
  QCOMPARE(f.Dialog<QLineEdit>("editMove").text(), picked.chopped(1));
}

// Without a desktop folder the entry fails; a second press writes it again.
// The entry starts the running program with the language's comment, or the
// launcher an installed program names.
void OptionsTest::shortcutButtons() {
  Fixture f;
  f.Dialog<QPushButton>("btnLinkDesktop").click();
  const std::string desktop = f.home.user().dir().MakeDir("Desktop");
  f.Dialog<QPushButton>("btnLinkDesktop").click();
  f.Dialog<QPushButton>("btnLinkDesktop").click();
  qputenv("TARNWICK_LAUNCHER", "/opt/tarnwick/tarnwick.sh");
  f.Dialog<QPushButton>("btnLinkAutostart").click();
  qunsetenv("TARNWICK_LAUNCHER");
  const QString done = "Shortcut created on the desktop";
  QCOMPARE(f.recorder.Texts(), QStringList({"The shortcut could not be created", done, done,
                                            "Shortcut created in autostart"}));
  const std::map<std::string, std::string> entries = FilesBelow(desktop);
  QCOMPARE(entries.size(), 1u);
  const std::string& entry = entries.begin()->second;
  QVERIFY(entry.find("\nExec=\"" + ExecutablePath() + "\"\n") != std::string::npos);
  QVERIFY(entry.find("\nComment=Finds songs stored twice") != std::string::npos);
  const std::string launched =
      ReadFile(f.home.user().path() + ".config/autostart/tarnwick.desktop");
  QVERIFY(launched.find("\nExec=\"/opt/tarnwick/tarnwick.sh\"\n") != std::string::npos);
}

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
