#include "history/journal_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/folder_access.h"

namespace tarnwick {
namespace {

constexpr size_t kKeepCount = 100;
constexpr std::time_t kKeepSeconds = 90 * 24 * 60 * 60;
// Far more runs than one process starts in one second; it only bounds the loop.
constexpr int kMaxNameAttempts = 1000;

std::string AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? value : "";
}

std::string CompactUtcTime(std::time_t time) {
  tm utc{};
  gmtime_r(&time, &utc);
  char text[20];
  return std::string(text, strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc));
}

// The start time a journal's name begins with; nothing for any other name.
std::optional<std::time_t> JournalTimeOf(const std::string& name) {
  static const std::regex kName(R"((\d{8}T\d{6}Z)-\d+(-\d+)?\.jsonl)");
  std::smatch match;
  if (!std::regex_match(name, match, kName)) return std::nullopt;
  tm utc{};
  if (strptime(match[1].str().c_str(), "%Y%m%dT%H%M%SZ", &utc) == nullptr) return std::nullopt;
  return timegm(&utc);
}

std::vector<std::string> JournalNames(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (auto entry = fs::directory_iterator(folder, error);
       !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::string name = entry->path().filename().string();
    if (JournalTimeOf(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string JournalName(std::time_t start, pid_t pid, int attempt) {
  const std::string number = attempt > 1 ? "-" + std::to_string(attempt) : "";
  return CompactUtcTime(start) + "-" + std::to_string(pid) + number + ".jsonl";
}

// Old journals go first: those of runs more than 90 days ago, then all but
// the newest 100. The new journal itself always stays.
void PruneJournals(const std::string& folder, std::time_t now, const std::string& keep) {
  const std::vector<std::string> names = JournalNames(folder);
  for (size_t i = 0; i < names.size(); ++i) {
    const bool too_many = names.size() - i > kKeepCount;
    const bool too_old = *JournalTimeOf(names[i]) < now - kKeepSeconds;
    if ((too_many || too_old) && names[i] != keep) unlink(JoinPath(folder, names[i]).c_str());
  }
}

}  // namespace

std::string JournalFolder() {
  std::string state = AbsoluteVariable("XDG_STATE_HOME");
  if (state.empty()) {
    const std::string home = AbsoluteVariable("HOME");
    if (home.empty()) return "";
    state = JoinPath(home, ".local/state");
  }
  return JoinPath(state, "tarnwick/journal");
}

std::string JournalPath(const std::string& name_or_path) {
  if (name_or_path.find('/') != std::string::npos) return name_or_path;
  return JoinPath(JournalFolder(), name_or_path);
}

std::vector<std::string> ListJournals(const std::string& folder) {
  std::vector<std::string> paths;
  for (const std::string& name : JournalNames(folder)) paths.push_back(JoinPath(folder, name));
  return paths;
}

NewJournal CreateJournal(std::time_t start, pid_t pid) {
  NewJournal journal;
  const std::string folder = JournalFolder();
  if (folder.empty()) journal.error = std::make_error_code(std::errc::no_such_file_or_directory);
  if (!journal.error) journal.error = CreatePrivateFolders(folder);
  for (int attempt = 1; !journal.error && !journal.fd; ++attempt) {
    const std::string name = JournalName(start, pid, attempt);
    journal.path = JoinPath(folder, name);
    journal.fd = UniqueFd(
        open(journal.path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (journal.fd) PruneJournals(folder, std::time(nullptr), name);
    if (!journal.fd && (errno != EEXIST || attempt == kMaxNameAttempts))
      journal.error = LastError();
  }
  return journal;
}

}  // namespace tarnwick
