// The shortcut buttons of the options dialog: desktop entries written into
// the desktop and autostart folders of a temporary home, and the messages.

#include "platform/app_folder.h"
#include "platform/text.h"
#include "ui_support.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// The texts of the English language file, which the program is set to.
constexpr const char* kDesktopDone = "Shortcut created on the desktop";
constexpr const char* kAutostartDone = "Shortcut created in autostart";
constexpr const char* kFailed = "The shortcut could not be created";

// An options dialog in a home of its own, with the configuration folder
// given by XDG_CONFIG_HOME.
struct Fixture : ProgramFixture {
  Fixture() : users(home.user().dir()), config(users.path() + "config") {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config));
    Start();
    Click("btnOptionen");
  }
  ~Fixture() { qunsetenv("TARNWICK_LAUNCHER"); }

  void Press(const char* button) { Find<QPushButton>(program->fOptionen, button).click(); }

  const TempDir& users;
  std::string config;
};

std::string EntryName() { return std::string(FileNameOf(ExecutablePath())) + ".desktop"; }

}  // namespace

class ShortcutsTest : public QObject {
  Q_OBJECT

 private slots:
  void entriesOnTheDesktopAndInAutostart();
};

// Without a desktop folder the entry fails; a second press writes it again.
// The entry starts the running program with the language's comment, or the
// launcher an installed program names. (What else the entry holds is the
// shell's part.)
void ShortcutsTest::entriesOnTheDesktopAndInAutostart() {
  Fixture f;
  f.Press("btnLinkDesktop");
  const std::string desktop = f.users.MakeDir("Desktop");
  f.Press("btnLinkDesktop");
  f.Press("btnLinkDesktop");
  qputenv("TARNWICK_LAUNCHER", "/opt/tarnwick/tarnwick.sh");
  f.Press("btnLinkAutostart");
  QCOMPARE(f.recorder.Texts(), QStringList({kFailed, kDesktopDone, kDesktopDone, kAutostartDone}));
  QCOMPARE(std::distance(std::filesystem::directory_iterator(desktop), {}), 1);
  const std::string entry = ReadFile(desktop + EntryName());
  QVERIFY(entry.find("\nExec=\"" + ExecutablePath() + "\"\n") != std::string::npos);
  QVERIFY(entry.find("\nComment=Finds songs stored twice and keeps the better copy\n") !=
          std::string::npos);
  const std::string launched = ReadFile(f.config + "/autostart/tarnwick.desktop");
  QVERIFY(launched.find("\nExec=\"/opt/tarnwick/tarnwick.sh\"\n") != std::string::npos);
}

QTEST_MAIN(ShortcutsTest)
#include "shortcuts_test.moc"
