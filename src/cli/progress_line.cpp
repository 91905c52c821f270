#include "cli/progress_line.h"

#include <algorithm>
#include <cstdio>

#include "cli/output.h"

namespace tarnwick::cli {
namespace {

constexpr int kBarWidth = 20;

std::string Bar(double done) {
  const int filled = static_cast<int>(done * kBarWidth);
  return "[" + std::string(static_cast<size_t>(filled), '#') +
         std::string(static_cast<size_t>(kBarWidth - filled), '.') + "]";
}

// The pace so far, carried on: none until a second of work and a
// hundredth of it are done, which would be guesses.
std::string TimeLeft(double done, RunProgress::Clock::duration elapsed) {
  const double seconds = std::chrono::duration<double>(elapsed).count();
  if (done < 0.01 || seconds < 1.0) return "";
  const auto left = static_cast<long>(seconds * (1.0 - done) / done + 0.5);
  return left > 0 ? "  " + ClockTime(left) + " left" : "";
}

// The end of `text` that fits into `width` columns, marked as cut.
std::string FitEnd(const std::string& text, size_t width) {
  if (DisplayWidth(text) <= width) return text;
  if (width < 3) return "";
  size_t start = 0;
  while (start < text.size() && DisplayWidth(std::string_view(text).substr(start)) + 3 > width) {
    do ++start;  // to the next character, past UTF-8 continuation bytes
    while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80);
  }
  return "..." + text.substr(start);
}

}  // namespace

void RunProgress::FoldersFound(size_t folders, Clock::time_point now) {
  folders_ = folders;
  start_ = now;
}

void RunProgress::FolderRead(const std::string& folder, size_t files) {
  ++folders_read_;
  files_listed_ += files;
  files_of_folder_ = files;
  folder_ = folder;
  max_ = position_ = -1;
}

void RunProgress::SetMax(int max, Clock::time_point now) {
  max_ = max;
  if (measure_ == Measure::kFiles) start_ = now;
}

void RunProgress::FolderDone() {
  ++folders_done_;
  files_of_done_ += files_of_folder_;
  files_of_folder_ = 0;
  if (measure_ == Measure::kFolders) max_ = position_ = -1;
}

double RunProgress::Done() const {
  if (measure_ == Measure::kFiles) return max_ > 0 ? (position_ + 1.0) / (max_ + 1.0) : 0.0;
  const double in_folder = max_ > 0 && position_ > 0 ? position_ / (max_ + 1.0) : 0.0;
  return std::min(1.0, (folders_done_ + in_folder) / static_cast<double>(folders_));
}

std::string RunProgress::Counts() const {
  if (measure_ == Measure::kFiles) {
    return std::to_string(position_ + 1) + "/" + std::to_string(max_ + 1) + " files";
  }
  const size_t in_folder = position_ > 0 ? static_cast<size_t>(position_) : 0;
  return "folder " + std::to_string(std::min(folders_done_ + 1, folders_)) + "/" +
         std::to_string(folders_) + ", " + std::to_string(files_of_done_ + in_folder) + " files";
}

std::string RunProgress::Text(Clock::time_point now, size_t width) const {
  std::string head;
  if (Working()) {
    const double done = Done();
    char percent[16];
    std::snprintf(percent, sizeof percent, " %5.1f%% ", 100.0 * done);
    head = Bar(done) + percent + Counts() + TimeLeft(done, now - start_);
  } else if (folders_read_ > 0) {
    head = "listing: " + std::to_string(files_listed_) + " files, folder " +
           std::to_string(folders_read_) + "/" + std::to_string(folders_);
  } else {
    return "";
  }
  head = FitEnd(head, width);
  const size_t used = DisplayWidth(head) + 2;
  if (folder_.empty() || used + 3 >= width) return head;
  return head + "  " + FitEnd(DisplayCell(folder_), width - used);
}

}  // namespace tarnwick::cli
