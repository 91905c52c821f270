#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include <regex>
#include <string>

#include "support/temp_dir.h"
#include "support/user_home.h"

namespace tarnwick::test {

// A home of its own (see TempUserHome) on the file system of the files the
// tests trash.
class TrashTest : public ::testing::Test {
 protected:
  std::string HomeTrashFolder() const { return home_ + ".local/share/Trash"; }

  TempDir dir_;
  const std::string home_ = dir_.MakeDir("home");

 private:
  const TempUserHome user_{home_};
};

inline mode_t ModeOf(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Reads an info file as a trash viewer would: exactly the group line, Path=
// as given and a local DeletionDate between `not_before` and now.
inline void ExpectInfo(const std::string& info_file, const std::string& encoded_path,
                       time_t not_before) {
  static const std::regex kFormat(
      "\\[Trash "
      "Info\\]\nPath=([^\n]*)\nDeletionDate=(\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d)\n");
  const std::string text = ReadFile(info_file);
  std::smatch match;
  ASSERT_TRUE(std::regex_match(text, match, kFormat)) << text;
  EXPECT_EQ(match[1].str(), encoded_path);
  tm local{};
  local.tm_isdst = -1;
  ASSERT_NE(strptime(match[2].str().c_str(), "%Y-%m-%dT%H:%M:%S", &local), nullptr);
  EXPECT_GE(mktime(&local), not_before);
  EXPECT_LE(mktime(&local), time(nullptr));
}

}  // namespace tarnwick::test
