// What the list says after a run that moved, trashed, renamed and held
// files: the mark and tool tip of each row, rows that follow their files,
// the mark of a held pair, the summary in the status bar, and the countdown
// that ends a run with "close".

#include <QIcon>
#include <QLabel>
#include <QStatusBar>

#include "ui_support.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// A search of the music folder with `settings`.
struct Fixture : ProgramFixture {
  void Search(const std::string& settings) {
    Start(settings);
    Click("btnTarnwick");
  }
  QString Tip(int row) { return Cell(row, 0, Qt::ToolTipRole); }
  QString Summary() { return Find<QStatusBar>(Main(), "sbInfo").currentMessage(); }
};

}  // namespace

class RunOutcomeTest : public QObject {
  Q_OBJECT

 private slots:
  void moveRenameUnknownAndHeldPair();
  void trashedRowOpensNothing();
  void nothingFoundSaysSo();
  void undoButtonBringsTheRunBack();
  void countdownCancelledOrRunDown();
};

// Tune.mp3 loses to Tune_1.mp3, which then takes its name, and its row opens
// it where it went; a hard link is held as the same file; an unknown file
// goes to its folder.
void RunOutcomeTest::moveRenameUnknownAndHeldPair() {
  Fixture f;
  const std::string moved = f.home.user().dir().MakeDir("moved");
  const std::string unknown = f.home.user().dir().MakeDir("unknown");
  WriteMp3(f.music + "Tune.mp3", 128);
  WriteMp3(f.music + "Tune_1.mp3", 192);
  WriteMp3(f.music + "Band - Hit.mp3");
  std::filesystem::create_hard_link(f.music + "Band - Hit.mp3", f.music + "The Band - Hit.mp3");
  WriteMp3(f.music + "Someone - Unknown.mp3");
  OpenedUrls opened;
  f.Search("double=1\nmovefolder=" + moved + "\nmoveunknown=1\nunknownfolder=" + unknown + "\n");
  QCOMPARE(f.Summary(), QString("2 pairs: 1 moved, 1 held; 1 renamed; 1 unknown file moved"));

  // Rows: the unknown file; the held pair (band, The Band..., Band...); the
  // Tune pair (band, Tune_1.mp3 now Tune.mp3, Tune.mp3 now moved).
  const QString moved_tune = QString::fromStdString(moved) + "Tune.mp3";
  QCOMPARE(f.Tip(6), "moved to " + moved_tune);
  f.DoubleClick(6);
  QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(moved_tune)});

  QCOMPARE(f.Tip(3), QString("held: same file"));
  QVERIFY(!f.List().model()->index(3, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
  f.List().selectRow(3);
  QCOMPARE(f.Summary(), QString("held: same file"));
  f.List().selectRow(6);
  QCOMPARE(f.Summary(), QString("2 pairs: 1 moved, 1 held; 1 renamed; 1 unknown file moved"));

  QCOMPARE(f.Tip(0), "moved to " + QString::fromStdString(unknown) + "Someone - Unknown.mp3");
}

// After a run that changed files the undo button shows; once confirmed, it
// brings every file back and lists what came back.
void RunOutcomeTest::undoButtonBringsTheRunBack() {
  Fixture f;
  const std::string moved = f.home.user().dir().MakeDir("moved");
  WriteMp3(f.music + "Tune.mp3", 128);
  WriteMp3(f.music + "Tune_1.mp3", 192);
  const std::string before = ReadFile(f.music + "Tune.mp3");
  f.Search("double=1\nmovefolder=" + moved + "\n");
  QPushButton& undo = Find<QPushButton>(f.program->fHaupt, "btnUndo");
  QVERIFY(undo.isVisible() && undo.isEnabled());
  undo.click();
  QCOMPARE(f.recorder.Texts(), QStringList{"Undo the last run? This is what it brings back:"});
  QCOMPARE(ReadFile(f.music + "Tune.mp3"), before);
  QVERIFY(std::filesystem::exists(f.music + "Tune_1.mp3"));
  QCOMPARE(f.Summary(), QString("2 files brought back"));
  QVERIFY(!undo.isVisible());
}

// The trashed copy's row still names it, but a renamed file now has its
// name: the row opens nothing, and the renamed file's row opens that file.
void RunOutcomeTest::trashedRowOpensNothing() {
  Fixture f;
  WriteMp3(f.music + "Song.mp3", 128);
  WriteMp3(f.music + "Song_1.mp3", 192);
  OpenedUrls opened;
  f.Search("double=2\ntrash=1\n");
  QCOMPARE(f.Summary(), QString("1 pair: 1 trashed; 1 renamed"));
  // Rows: the band, Song_1.mp3 now Song.mp3, the trashed Song.mp3.
  QCOMPARE(f.Cell(2), QString("Song.mp3"));
  QCOMPARE(f.Tip(1) + " / " + f.Tip(2), QString("renamed from Song_1.mp3 / trashed"));
  QVERIFY(std::filesystem::exists(f.home.user().path() + ".local/share/Trash/files/Song.mp3"));
  f.DoubleClick(2);
  QVERIFY(opened.urls.isEmpty());
  f.DoubleClick(1);
  QCOMPARE(opened.urls,
           QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(f.music) + "Song.mp3")});
}

void RunOutcomeTest::nothingFoundSaysSo() {
  Fixture f;
  WriteMp3(f.music + "Alone.mp3");
  f.Search("");
  QCOMPARE(f.Cell(0), QString("No duplicates found"));
  QCOMPARE(f.Summary(), f.Cell(0));
}

// Cancel (the button, or Esc, as the countdown has the focus) keeps the
// program; the next run counts from five again, to zero a second apart, and
// closes the main window a tick after zero. The ticks are driven by hand;
// the real timer only has to be running.
void RunOutcomeTest::countdownCancelledOrRunDown() {
  Fixture f;
  WritePairs(f.music, 1);
  f.Search("close=1\n");
  TfEnde& countdown = f.program->fEnde;
  QTimer& timer = Find<QTimer>(countdown, "Timer1");
  const auto shows = [&countdown](int seconds) {
    return Find<QLabel>(countdown, "lblEnde").text() ==
           QString("The program closes in %1 second%2").arg(seconds).arg(seconds == 1 ? "" : "s");
  };
  QSignalSpy closed(&f.Main(), &TfHaupt::Closed);
  countdown.Timer1Timer();
  countdown.Timer1Timer();
  QVERIFY(shows(3));
  Find<QPushButton>(countdown, "btnCancel").click();
  QVERIFY(!countdown.isVisible() && !timer.isActive());
  f.Click("btnTarnwick");
  QVERIFY(QTest::qWaitForWindowActive(&countdown));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QVERIFY(!countdown.isVisible() && !timer.isActive() && f.Main().isVisible());

  f.Click("btnTarnwick");
  QVERIFY(timer.isActive() && shows(5));
  for (int seconds = 4; seconds >= 0; --seconds) {
    countdown.Timer1Timer();
    QVERIFY(shows(seconds));
  }
  QCOMPARE(closed.count(), 0);
  countdown.Timer1Timer();
  QCOMPARE(closed.count(), 1);
  QVERIFY(!f.Main().isVisible() && !timer.isActive());
}

QTEST_MAIN(RunOutcomeTest)
#include "run_outcome_test.moc"
