#include "mp3/mp3_info.h"

#include <cerrno>
#include <optional>

#include "mp3/byte_source.h"
#include "mp3/decode_check.h"
#include "mp3/frame_walk.h"
#include "mp3/guarded_walk.h"
#include "mp3/mapped_file.h"
#include "mp3/profiler.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/message_sink.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

// Failure codes of the analysis; any other code is an operating-system error
// number shown as it is.
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kTooManyOpenFiles = 4;
constexpr int kAccessDenied = 5;

bool FolderExists(const std::string& path) {
  const std::string folder(FolderOf(path));
  return IsDirectory(folder.empty() ? "." : folder);
}

int FailureCode(int error, const std::string& path) {
  switch (error) {
    case ENOENT:
      return FolderExists(path) ? kFileNotFound : kPathNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
      return kAccessDenied;
    default:
      return error;
  }
}

// The text for a code; none for a refused access, which is not shown.
std::optional<std::string> FailureText(int code) {
  switch (code) {
    case kFileNotFound:
      return "File not found";
    case kPathNotFound:
      return "Invalid filename";
    case kTooManyOpenFiles:
      return "Too many open files";
    case kAccessDenied:
      return std::nullopt;
    case kReadBeyondEnd:
      return "Read beyond end of file";
    default:
      return FormatText("I/O error %d", code);
  }
}

void ShowFailure(int code) {
  const std::optional<std::string> text = FailureText(code);
  if (!text) return;
  // The two lines are separated by LF then CR, in that order.
  ShowMessage("Error \"EInOutError\": " + *text + "\n\rPlease message me the above information");
}

WalkOutcome Analyse(const std::string& path) {
  MappedFile file;
  if (const int error = file.Open(path)) {
    return {.info = TMp3Info{.Length = -1}, .failure = FailureCode(error, path)};
  }
  // A file cut short while it was walked reads as one that ends too early.
  return WalkMappedFrames(file.Bytes())
      .value_or(WalkOutcome{.info = TMp3Info{.Length = -1}, .failure = kReadBeyondEnd});
}

Mp3Analysis AnalyseMapped(const MappedFile& file) {
  std::optional<WalkOutcome> walked = WalkMappedFrames(file.Bytes(), ProblemScan::kFind);
  if (!walked) {
    return {TMp3Info{.Length = -1},
            kReadBeyondEnd,
            {{Problem::Kind::kTruncated, 0, "the file shrank while it was read"}}};
  }
  return {walked->info, walked->failure, std::move(walked->problems), walked->playSeconds};
}

}  // namespace

Mp3Analysis AnalyseMp3(const std::string& path, bool deep) {
  MappedFile file;
  if (const int error = file.Open(path)) {
    return {.info = TMp3Info{.Length = -1}, .failure = FailureCode(error, path)};
  }
  Mp3Analysis analysis = AnalyseMapped(file);
  if (deep) {
    std::vector<Problem> undecodable = DecodeCheck(path);
    analysis.problems.insert(analysis.problems.end(), undecodable.begin(), undecodable.end());
  }
  return analysis;
}

TMp3Info ReadMp3Info(const std::string& path) {
  ProfilerReset();
  ProfilerStart("komplett");
  const WalkOutcome outcome = Analyse(path);
  if (outcome.failure != 0) ShowFailure(outcome.failure);
  ProfilerStop();
  return outcome.info;
}

}  // namespace tarnwick
