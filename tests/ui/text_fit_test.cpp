// Every label, button, check box and group title of the three windows shows
// its whole text, in each shipped language. The windows are laid out for
// Arial; the test needs it or a font of the same measure (Liberation Sans).

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>

#include "ui/fonts.h"
#include "ui_support.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

int TextWidth(const QWidget& control, QString text) {
  text.remove(QRegularExpression("&(?!&)"));
  return control.fontMetrics().horizontalAdvance(text);
}

// How much wider a control would have to be for its whole text; 0 for a
// control whose text fits and for a control without a text of its own. A
// button's room is its contents without the frame or the box or circle of a
// check box or radio button.
int Shortfall(const QWidget& control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents =
        qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
        : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                    : QStyle::SE_PushButtonContents;
    return TextWidth(control, button->text()) -
           button->style()->subElementRect(contents, &option, button).width();
  }
  if (const auto* label = qobject_cast<const QLabel*>(&control)) {
    return TextWidth(control, label->text()) - label->contentsRect().width();
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
    const int margin = 2 * control.style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    return TextWidth(control, group->title()) + margin - control.width();
  }
  return 0;
}

// The controls of `window` now on the screen whose text is cut.
QStringList CutTexts(const QWidget& window) {
  QStringList cut;
  for (const QWidget* control : window.findChildren<QWidget*>()) {
    const int shortfall = Shortfall(*control);
    if (!control->isVisibleTo(&window) || shortfall <= 0) continue;
    cut << QString("%1.%2 \"%3\" (%4 px short)")
               .arg(window.objectName(), control->objectName(),
                    control->property("text").toString())
               .arg(shortfall);
  }
  return cut;
}

}  // namespace

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void windowsShowWholeTexts_data();
  void windowsShowWholeTexts();
};

void TextFitTest::windowsShowWholeTexts_data() {
  QTest::addColumn<QString>("language");
  QTest::newRow("English") << "english.ini";
  QTest::newRow("Deutsch") << "deutsch.ini";
}

void TextFitTest::windowsShowWholeTexts() {
  QFETCH(QString, language);
  const QString family = QFontInfo(ArialFont(11)).family();
  QVERIFY2(family == "Arial" || family == "Liberation Sans" || family == "Nimbus Sans",
           qPrintable("no font of Arial's measure, but " + family));
  ProgramHome home;
  home.WriteSettings("[Settings]\nconfigured=1\nlang=" + language.toStdString() +
                     "\nmp3folder=" + home.dir().MakeDir("music") + "\n");
  MessageRecorder recorder;
  Program program({"tarnwick"});
  program.fHaupt.show();
  program.fHaupt.SetUndoAvailable(true);
  QStringList cut = CutTexts(program.fHaupt);
  program.fOptionen.show();
  QTabWidget& pages = Find<QTabWidget>(program.fOptionen, "pcTabs");
  for (int page = 0; page < pages.count(); ++page) {
    pages.setCurrentIndex(page);
    cut << CutTexts(program.fOptionen);
  }
  program.fOptionen.close();
  program.fEnde.show();
  cut << CutTexts(program.fEnde);
  QVERIFY2(cut.isEmpty(), qPrintable("cut: " + cut.join(", ")));
}

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
