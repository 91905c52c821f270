// The main window during and between runs: the exit button and the close
// box during a run, the results list's selection rule, keys, double-click
// and menu, the link label and the status bar.

#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QToolTip>

#include "support/mp3_stream.h"
#include "ui/home_page.h"
#include "ui_support.h"

using namespace tarnwick;
using namespace tarnwick::test;

// A configured program on a music folder with `pairs` duplicate pairs.
struct Fixture : ProgramFixture {
  explicit Fixture(int pairs) {
    WritePairs(music, pairs);
    Start();
  }

  QPushButton& Button(const char* name) { return Find<QPushButton>(Main(), name); }
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void exitButtonOrCloseBoxStopsTheRun();
  void separatorRowsRefuseSelection();
  void withoutPlayerOpeningSaysSo();
  void rowMenuOffersOpenFolderAndCopy();
  void columnsFillTheWidthAndCutCellsTellTheirText();
  void doubleClickKeepsBytesOfNamesThatAreNotUtf8();
  void linkLabelOpensTheGuide();
  void errorDetectionFillsStatusBar();
};

// Pressed while the run waits at a test point, the exit button stops it:
// nothing is listed and the window stays. The close box stops the next run
// the same way and closes the window once the run has returned.
void MainWindowTest::exitButtonOrCloseBoxStopsTheRun() {
  Fixture f(3);
  QSignalSpy closed(&f.Main(), &TfHaupt::Closed);
  QString captionDuringRun;
  bool searchEnabledDuringRun = true;
  QTimer::singleShot(0, [&] {
    captionDuringRun = f.Button("btnEnde").text();
    searchEnabledDuringRun = f.Button("btnTarnwick").isEnabled();
    f.Button("btnEnde").click();
  });
  f.Click("btnTarnwick");
  QCOMPARE(captionDuringRun, QString("&Cancel"));
  QVERIFY(!searchEnabledDuringRun);
  QCOMPARE(RowCount(f.Main()), 0);
  QCOMPARE(f.Button("btnEnde").text(), QString("Exit"));

  int closedAtOnce = -1;
  QTimer::singleShot(0, [&] {
    f.Main().close();
    closedAtOnce = closed.count();
  });
  f.Click("btnTarnwick");  // runs only if the search button is enabled again
  QCOMPARE(closedAtOnce, 0);
  QCOMPARE(closed.count(), 1);
  QCOMPARE(RowCount(f.Main()), 0);
}

// A separator band before each pair: clicking it, or moving onto it with
// the keyboard, leaves the selection as it was. Arrow, Home and End keys step
// over the bands; Tab leaves the list. A double-click anywhere on the list,
// or Enter, opens the selected row's file, made of its folder and name;
// without a selection nothing opens.
void MainWindowTest::separatorRowsRefuseSelection() {
  Fixture f(3);
  OpenedUrls opened;
  f.Click("btnTarnwick");
  QTableView& list = f.List();
  const auto doubleClick = [&](int row) {
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, f.RowCentre(row));
  };
  const auto file = [&f](int row) {
    return QUrl::fromLocalFile(QString::fromStdString(f.music) + f.Cell(row));
  };
  doubleClick(0);
  QVERIFY(opened.urls.isEmpty());
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, f.RowCentre(4));
  doubleClick(3);
  QCOMPARE(list.selectionModel()->selectedRows(), QModelIndexList{list.model()->index(4, 0)});
  f.Main().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&f.Main()));
  list.setFocus();
  list.selectRow(1);
  const auto press = [&list](Qt::Key key) {
    QTest::keyClick(&list, key);
    return list.currentIndex().row();
  };
  QCOMPARE(press(Qt::Key_Up), 1);
  QCOMPARE(press(Qt::Key_Down), 2);
  QCOMPARE(press(Qt::Key_Down), 4);
  QCOMPARE(press(Qt::Key_Up), 2);
  QCOMPARE(press(Qt::Key_End), 8);
  QCOMPARE(press(Qt::Key_Home), 1);
  QTest::keyClick(&list, Qt::Key_Return);
  QCOMPARE(opened.urls, QList<QUrl>({file(4), file(1)}));
  QTest::keyClick(&list, Qt::Key_Tab);
  QVERIFY(!list.hasFocus());
}

// With no program on the path that could open a file, the desktop cannot
// open it, and the window says so.
void MainWindowTest::withoutPlayerOpeningSaysSo() {
  Fixture f(1);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(f.home.dir().MakeDir("empty")));
  f.Click("btnTarnwick");
  f.List().selectRow(1);
  QTest::keyClick(&f.List(), Qt::Key_Enter);
  qputenv("PATH", path);
  QCOMPARE(f.recorder.Texts(), QStringList{"No program is set up to open MP3 files"});
}

// The menu of a row offers to open the file or its folder and to copy the
// file's path.
void MainWindowTest::rowMenuOffersOpenFolderAndCopy() {
  Fixture f(1);
  OpenedUrls opened;
  f.Click("btnTarnwick");
  QStringList offered;
  const QPoint at = f.RowCentre(2);
  QContextMenuEvent menuAsked(QContextMenuEvent::Mouse, at, f.List().viewport()->mapToGlobal(at));
  AnswerNext<QMenu>([&offered](QMenu& menu) {
    for (QAction* action : menu.actions()) offered << action->text();
    menu.actions()[2]->trigger();
  });
  QApplication::sendEvent(f.List().viewport(), &menuAsked);
  QCOMPARE(offered, QStringList({"Open", "Open containing folder", "Copy path"}));
  QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(f.music) + f.Cell(2));
  AnswerNext<QMenu>([](QMenu& menu) { menu.actions()[1]->trigger(); });
  QApplication::sendEvent(f.List().viewport(), &menuAsked);
  QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(f.music))});
}

// The list shows such a name as Windows-1252, but the path opened keeps the
// name's own bytes.
void MainWindowTest::doubleClickKeepsBytesOfNamesThatAreNotUtf8() {
  Fixture f(0);
  const std::string latin1 = "Caf\xe9 - Song.mp3";
  WriteMp3(f.music + latin1);
  WriteMp3(f.music + "Cafe - Song.mp3", 192);
  OpenedUrls opened;
  f.Click("btnTarnwick");
  const QString cafe = QString::fromUtf8("Café - Song.mp3");
  const int row = f.Cell(1) == cafe ? 1 : 2;
  QCOMPARE(f.Cell(row), cafe);
  f.DoubleClick(row);
  QCOMPARE(opened.urls.size(), 1);
  const QByteArray path =
      QByteArray::fromPercentEncoding(opened.urls[0].path(QUrl::FullyEncoded).toLatin1());
  QCOMPARE(path.toStdString(), f.music + latin1);
}

// Name and Folder take the width the other columns leave; a cell too
// narrow for its text shows it whole as its tool tip.
void MainWindowTest::columnsFillTheWidthAndCutCellsTellTheirText() {
  Fixture f(1);
  f.Main().resize(800, 300);
  f.Click("btnTarnwick");
  QTableView& list = f.List();
  const QHeaderView& header = *list.horizontalHeader();
  QCOMPARE(header.length(), list.viewport()->width());
  f.Main().resize(620, 300);
  QCOMPARE(header.length(), list.viewport()->width());
  const auto tip = [&list](int column) {
    const QRect cell = list.visualRect(list.model()->index(1, column));
    QHelpEvent event(QEvent::ToolTip, cell.center(), list.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(list.viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  QCOMPARE(tip(4), QString());
  QCOMPARE(tip(1), QString::fromStdString(f.music));
  QVERIFY(header.sectionSize(4) > 40);
}

// Clicking the link opens the guide, which the program run from the build
// tree finds in the sources.
void MainWindowTest::linkLabelOpensTheGuide() {
  Fixture f(0);
  OpenedUrls opened;
  QLabel& link = Find<QLabel>(f.Main(), "lblLink");
  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(5, 5));
  QCOMPARE(opened.urls, QList<QUrl>{HomePageUrl()});
  QVERIFY(QFileInfo::exists(HomePageUrl().toLocalFile()));
}

// The error detection reports the file in work in the three status panels
// and lists the damaged file with its problems below a caption; it ends
// with its summary, or with a note when it found nothing.
void MainWindowTest::errorDetectionFillsStatusBar() {
  Fixture f(0);
  WriteMp3(f.music + "Clean.mp3");
  const std::string damaged = f.music + "Damaged.mp3";
  WriteFileAt(damaged, CbrStream(128, 60) + Garbage(300) + CbrStream(128, 60));
  f.Click("btnFehler");
  QCOMPARE(f.Cell(0) + " / " + f.Cell(1), QString("Damaged files / Damaged.mp3"));
  QVERIFY(f.Cell(1, 7).startsWith("junk"));
  QStatusBar& status = Find<QStatusBar>(f.Main(), "sbInfo");
  QStringList panels;
  for (const QLabel* panel : status.findChildren<QLabel*>()) panels << panel->text();
  QCOMPARE(panels, QStringList({"50%", QString::fromStdString(f.music), "Damaged.mp3"}));
  QCOMPARE(status.currentMessage(), QString("1 damaged file"));

  std::filesystem::remove(damaged);
  f.Click("btnFehler");
  QCOMPARE(f.Cell(3), QString("No damaged files found"));
  QCOMPARE(status.currentMessage(), f.Cell(3));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
