// Start-up and shutdown of the program: the order of the start-up messages,
// the command line, the automatic search and what closing saves.

#include <QProcess>
#include <QScreen>

#include "ui_support.h"

using namespace tarnwick;
using namespace tarnwick::test;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartWithoutLanguageFolder();
  void configuredStartWarnsInEnglishBeforeTheLanguage();
  void debugModeFromFirstArgumentOnly_data();
  void debugModeFromFirstArgumentOnly();
  void closingSavesColumnWidthsAndWindowPlace();
  void automaticSearchStartsOnce();
  void unattendedRunListsItsMessages();
  void unattendedRunEndsTheProgram();
};

// Without a language folder the texts are placeholders, and the
// not-configured message comes after the missing-language message, both
// before the window shows.
void StartupTest::firstStartWithoutLanguageFolder() {
  ProgramHome home(false);
  MessageRecorder recorder;
  Program program({"tarnwick"});
  QCOMPARE(recorder.Texts(), QStringList({"Language not found, go to \"Options\"", "LangError"}));
  QVERIFY(!program.fHaupt.isVisible());
  program.fHaupt.show();
  QCOMPARE(Find<QPushButton>(program.fHaupt, "btnOptionen").text(), QString("LangError (Options)"));
}

// The folder warnings come while only the built-in English messages are in
// force, even with a German language file chosen; the buttons then speak German.
void StartupTest::configuredStartWarnsInEnglishBeforeTheLanguage() {
  ProgramHome home;
  const std::string missing = home.dir().path() + "missing/";
  home.WriteSettings("[Settings]\nlang=deutsch.ini\nconfigured=1\nmp3folder=" + missing +
                     "\ndouble=1\nmovefolder=" + missing + "\n");
  MessageRecorder recorder;
  Program program({"tarnwick"});
  const QString folder = "directory \"" + QString::fromStdString(missing) + "\" does not exist";
  QCOMPARE(recorder.Texts(), QStringList({"MP3 folder: " + folder, "moved files: " + folder}));
  program.fHaupt.show();
  QCOMPARE(Find<QPushButton>(program.fHaupt, "btnEnde").text(), QString("Beenden"));
}

void StartupTest::debugModeFromFirstArgumentOnly_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("title");
  QTest::newRow("mixed case") << QStringList{"tarnwick", "DeBuG", "x"} << "Tarnwick Debug-Modus";
  QTest::newRow("second argument") << QStringList{"tarnwick", "x", "debug"} << "Tarnwick";
  QTest::newRow("other word") << QStringList{"tarnwick", "debugger"} << "Tarnwick";
}

// A first start says the program must be configured and opens the options.
// The title is the caption of every message box and of the main window; the
// version label stays as it is.
void StartupTest::debugModeFromFirstArgumentOnly() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, title);
  ProgramHome home;
  MessageRecorder recorder;
  Program program(arguments);
  QCOMPARE(recorder.Texts(), QStringList{"the program must be configured before using it!"});
  QCOMPARE(recorder.messages[0].title, title);
  program.fHaupt.show();
  QTRY_VERIFY(program.fOptionen.isVisible());
  QCOMPARE(program.fHaupt.windowTitle(), title);
  QCOMPARE(Find<QLabel>(program.fHaupt, "Label1").text(), QString("Tarnwick v3.4"));
}

// The stored widths and window place come back when the window shows, but
// never larger than the free area of the screen; closing (here by the exit
// button) writes what the columns and the window have then, creating the
// file if needed.
void StartupTest::closingSavesColumnWidthsAndWindowPlace() {
  ProgramHome home;
  MessageRecorder recorder;
  {
    Program program({"tarnwick"});
    program.fHaupt.show();
    program.fHaupt.close();
  }
  for (int i = 0; i < 7; ++i)
    QCOMPARE(home.Setting("titleWidth" + std::to_string(i)), QString("50"));

  home.WriteSettings(ConfiguredSettings(home.dir().MakeDir("music"),
                                        "titleWidth0=120\ntitleWidth6=33\nwindowWidth=9000\n"
                                        "windowHeight=9000\n"));
  {
    Program program({"tarnwick"});
    QHeaderView& header = *Find<QTableView>(program.fHaupt, "lstInfo").horizontalHeader();
    program.fHaupt.show();
    QCOMPARE(header.sectionSize(6), 33);
    QVERIFY(program.fHaupt.screen()->availableGeometry().contains(program.fHaupt.geometry()));
    header.resizeSection(1, 77);
    program.fHaupt.setGeometry(30, 40, 500, 400);
    Find<QPushButton>(program.fHaupt, "btnEnde").click();
  }
  QCOMPARE(home.Setting("titleWidth0") + " " + home.Setting("titleWidth1"), QString("120 77"));
  QCOMPARE(home.Setting("windowWidth") + " " + home.Setting("windowHeight"), QString("500 400"));
  Program program({"tarnwick"});
  program.fHaupt.show();
  QCOMPARE(program.fHaupt.geometry(), QRect(30, 40, 500, 400));
}

// The timer is armed when the window shows, not before, fires about a second
// later and only once.
void StartupTest::automaticSearchStartsOnce() {
  ProgramFixture f;
  WritePairs(f.music, 1);
  f.home.WriteSettings(ConfiguredSettings(f.music, "autostart=1\n"));
  Program program({"tarnwick"});
  QTimer& timer = Find<QTimer>(program.fHaupt, "tAutostart");
  QVERIFY(!timer.isActive());
  QSignalSpy fired(&timer, &QTimer::timeout);
  program.fHaupt.show();
  QVERIFY(timer.isActive());
  QVERIFY(fired.wait(10000));
  QCOMPARE(RowCount(program.fHaupt), 3);
  QTest::qWait(2500);
  QCOMPARE(fired.count(), 1);
}

// Nobody answers a box in an unattended start: the start-up warning and the
// run's refusal go into the list, and the countdown comes all the same.
void StartupTest::unattendedRunListsItsMessages() {
  ProgramFixture f;
  const std::string missing = f.home.dir().path() + "missing/";
  f.Start("autostart=1\nclose=1\ndouble=1\nmovefolder=" + missing + "\n");
  QTRY_VERIFY_WITH_TIMEOUT(f.program->fEnde.isVisible(), 10000);
  QVERIFY(f.recorder.messages.empty());
  const QString warning =
      "moved files: directory \"" + QString::fromStdString(missing) + "\" does not exist";
  QCOMPARE(RowCount(f.Main()), 2);
  QCOMPARE(f.Cell(0) + f.Cell(1), warning + warning);
}

// The whole unattended cycle of the real program: automatic search, the
// countdown, and the end of the process, which has saved its column widths.
void StartupTest::unattendedRunEndsTheProgram() {
  ProgramHome home;
  const std::string music = home.dir().MakeDir("music");
  WritePairs(music, 1);
  home.WriteSettings(ConfiguredSettings(music, "autostart=1\nclose=1\n"));
  QProcess program;
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  program.start(TARNWICK_PROGRAM, {});
  QVERIFY(program.waitForFinished(60000));
  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QCOMPARE(program.exitCode(), 0);
  QCOMPARE(home.Setting("titleWidth0"), QString("50"));
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
