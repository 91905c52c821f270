// The countdown window after a search with "close": five to zero a second
// apart, the main window closed a tick after zero, cancel, and a new start.
// The ticks are driven by hand; the real timer only has to be running.

#include <QLabel>

#include "ui_support.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// A search over one pair with "close" set, which ends in the countdown.
struct Fixture : ProgramFixture {
  Fixture() {
    WritePairs(music, 1);
    Start("close=1\n");
    Click("btnTarnwick");
  }

  TfEnde& Countdown() { return program->fEnde; }
  QString Label() { return Find<QLabel>(Countdown(), "lblEnde").text(); }
  QTimer& Timer() { return Find<QTimer>(Countdown(), "Timer1"); }
};

QString Closing(int seconds) {
  return QString("The program closes in %1 second%2").arg(seconds).arg(seconds == 1 ? "" : "s");
}

}  // namespace

class CountdownTest : public QObject {
  Q_OBJECT

 private slots:
  void cancelledRestartsThenClosesMainWindow();
};

// Cancel (the button, or Esc, as the countdown has the focus) keeps the
// program; the next run counts from five again, to zero a tick apart, and
// closes the main window a tick after zero.
void CountdownTest::cancelledRestartsThenClosesMainWindow() {
  Fixture f;
  QSignalSpy closed(&f.Main(), &TfHaupt::Closed);
  f.Countdown().Timer1Timer();
  f.Countdown().Timer1Timer();
  QCOMPARE(f.Label(), Closing(3));
  Find<QPushButton>(f.Countdown(), "btnCancel").click();
  QVERIFY(!f.Countdown().isVisible() && !f.Timer().isActive());
  f.Click("btnTarnwick");
  QVERIFY(QTest::qWaitForWindowActive(&f.Countdown()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QVERIFY(!f.Countdown().isVisible() && !f.Timer().isActive());
  QVERIFY(f.Main().isVisible());

  f.Click("btnTarnwick");
  QVERIFY(f.Timer().isActive());
  QCOMPARE(f.Label(), Closing(5));
  for (int seconds = 4; seconds >= 0; --seconds) {
    f.Countdown().Timer1Timer();
    QCOMPARE(f.Label(), Closing(seconds));
  }
  QCOMPARE(closed.count(), 0);
  f.Countdown().Timer1Timer();
  QCOMPARE(closed.count(), 1);
  QVERIFY(!f.Main().isVisible() && !f.Timer().isActive());
  QCOMPARE(f.home.Setting("titleWidth0"), QString("50"));
}

QTEST_MAIN(CountdownTest)
#include "countdown_test.moc"
