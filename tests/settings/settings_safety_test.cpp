// The settings file in the hands of others: links, FIFOs, and kills in the
// middle of a save.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "settings/settings.h"
#include "support/message_log.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ReadFile;
using test::TempDir;

TEST(SettingsFile, LinkIsWrittenThroughAndStaysALink) {
  TempDir dir;
  const std::string real = dir.WriteFile("real/tarnwick.ini", "[Settings]\nlang=a.ini\n");
  const std::string link = dir.Sub("tarnwick.ini");
  ASSERT_EQ(symlink("real/tarnwick.ini", link.c_str()), 0);
  ASSERT_FALSE(IniFile(link).WriteString("Settings", "lang", "b.ini"));
  struct stat st {};
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadFile(real), "[Settings]\nlang=b.ini\n");
}

// Opening a FIFO for reading would wait for a writer for ever.
TEST(SettingsFile, FifoNeverBlocksAndIsNeverReplaced) {
  TempDir dir;
  const std::string fifo = dir.Sub("tarnwick.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  test::MessageLog messages;
  SETTINGS s;
  LoadSettings(s, DesignColumns(), MESSAGES{}, fifo, messages.sink());
  EXPECT_EQ(s.lang, "english.ini");
  EXPECT_FALSE(SaveSettings(s, fifo, messages.sink()));
  EXPECT_EQ(messages.texts,
            (std::vector<std::string>{"Unable to read " + fifo + ": not a regular file",
                                      "Unable to write to " + fifo + ": not a regular file"}));
  struct stat st {};
  ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A megabyte line is cut like any long value; writing one key keeps the
// rest of an enormous file.
TEST(SettingsFile, EnormousFileIsReadAndKept) {
  TempDir dir;
  std::string content = "[Settings]\nmp3folder=" + std::string(1 << 20, 'x') + "\n";
  for (int i = 0; i < 200000; ++i) content += "junk line " + std::to_string(i) + "\n";
  const std::string path = dir.WriteFile("tarnwick.ini", content + "[Settings]\ndouble=2\n");
  SETTINGS s;
  LoadSettings(s, DesignColumns(), MESSAGES{}, path, [](const std::string&) {});
  EXPECT_EQ(s.mp3folder.size(), 2048u);  // 2047 bytes, then the final '/'
  EXPECT_EQ(s.doubleMode, kDoubleDelete);
  s.doubleMode = kDoubleShow;
  ASSERT_TRUE(SaveSettings(s, path, [](const std::string&) {}));
  const std::string written = ReadFile(path);
  EXPECT_NE(written.find("\njunk line 0\n"), std::string::npos);
  EXPECT_NE(written.find("\njunk line 199999\n"), std::string::npos);
  EXPECT_NE(written.find("\ndouble=0\n"), std::string::npos);
}

// A save killed at any moment leaves either the old or the new file whole;
// the next save removes the killed writer's temporary file.
TEST(SettingsFile, KillDuringSaveLosesNothingAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.Sub("tarnwick.ini");
  SETTINGS old_settings, new_settings;
  for (int i = 0; i < 300; ++i) {
    old_settings.folders.push_back("/music/old/" + std::to_string(i) + "/");
    new_settings.folders.push_back("/music/new/" + std::to_string(i) + "/");
  }
  const MessageSink ignore = [](const std::string&) {};
  std::mt19937 random(7);
  for (int trial = 0; trial < 25; ++trial) {
    ASSERT_TRUE(SaveSettings(old_settings, path, ignore));
    const pid_t child = fork();
    if (child == 0) {
      for (;;) SaveSettings(trial % 2 ? new_settings : old_settings, path, [](auto&) {});
    }
    usleep(static_cast<useconds_t>(random() % 3000));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    SETTINGS loaded;
    LoadSettings(loaded, DesignColumns(), MESSAGES{}, path, ignore);
    EXPECT_TRUE(loaded.folders == old_settings.folders || loaded.folders == new_settings.folders);
  }
  ASSERT_TRUE(SaveSettings(old_settings, path, ignore));
  EXPECT_EQ(ListFiles(dir.path(), ""), std::vector<std::string>{"tarnwick.ini"});
}

}  // namespace
}  // namespace tarnwick
