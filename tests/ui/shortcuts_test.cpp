// The shortcut buttons of the options dialog: desktop entries written into
// the desktop and autostart folders of a temporary home, and the messages.

#include "shell/shortcuts.h"

#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "platform/app_folder.h"
#include "platform/text.h"
#include "ui/program.h"
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
  Fixture() : users(home.user().dir()), homeFolder(users.path()), config(homeFolder + "config") {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config));
    Start();
    Click("btnOptionen");
  }
  ~Fixture() { qunsetenv("TARNWICK_LAUNCHER"); }

  void Press(const char* button) { Find<QPushButton>(program->fOptionen, button).click(); }

  const TempDir& users;
  std::string homeFolder;
  std::string config;
};

std::string EntryName() { return std::string(FileNameOf(ExecutablePath())) + ".desktop"; }

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace

class ShortcutsTest : public QObject {
  Q_OBJECT

 private slots:
  void desktopEntryOnTheDesktop();
  void launcherInAutostart();
};

// Without a desktop folder the entry fails. The entry starts the running
// program in its own folder; a second press writes it again and reports
// success again.
void ShortcutsTest::desktopEntryOnTheDesktop() {
  Fixture f;
  f.Press("btnLinkDesktop");
  const std::string desktop = f.users.MakeDir("Desktop");
  f.Press("btnLinkDesktop");
  f.Press("btnLinkDesktop");
  QCOMPARE(f.recorder.Texts(), QStringList({kFailed, kDesktopDone, kDesktopDone}));
  const std::string entry = ReadFile(desktop + EntryName());
  const std::string program = ExecutablePath();
  QVERIFY(entry.starts_with("[Desktop Entry]\n"));
  QVERIFY(entry.find("\nExec=\"" + program + "\"\n") != std::string::npos);
  QVERIFY(entry.find("\nPath=" + std::string(FolderOf(program)) + "\n") != std::string::npos);
  QVERIFY(entry.find("\nComment=Finds songs stored twice and keeps the better copy\n") !=
          std::string::npos);
  QCOMPARE(std::distance(std::filesystem::directory_iterator(desktop),
                         std::filesystem::directory_iterator()),
           1);
}

// An installed program names its launcher, which the entry starts instead.
void ShortcutsTest::launcherInAutostart() {
  Fixture f;
  qputenv("TARNWICK_LAUNCHER", "/opt/tarnwick/tarnwick.sh");
  f.Press("btnLinkAutostart");
  QCOMPARE(f.recorder.Texts(), QStringList{kAutostartDone});
  const std::string entry = ReadFile(f.config + "/autostart/tarnwick.desktop");
  QVERIFY(entry.find("\nExec=\"/opt/tarnwick/tarnwick.sh\"\n") != std::string::npos);
}

QTEST_MAIN(ShortcutsTest)
#include "shortcuts_test.moc"
