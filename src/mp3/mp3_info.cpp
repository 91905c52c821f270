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
    case ENOENT: return FolderExists(path) ? kFileNotFound : kPathNotFound;
    case ENOTDIR: return kPathNotFound;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case EACCES:
    case EPERM: return kAccessDenied;
    default: return error;
  }
}

// The text for a code; none for a refused access, which is not shown.
std::optional<std::string> FailureText(int code) {
  switch (code) {
    case kFileNotFound: return "File not found";
    case kPathNotFound: return "Invalid filename";
    case kTooManyOpenFiles: return "Too many open files";
    case kAccessDenied: return std::nullopt;
    case kReadBeyondEnd: return "Read beyond end of file";
    default: return FormatText("I/O error %d", code);
  }
}

Mp3Analysis AnalyseMapped(const MappedFile& file) {
  std::optional<WalkOutcome> walked = WalkMappedFrames(file.Bytes(), ProblemScan::kFind);
  // A file cut short while it was walked reads as one that ends too early.
  if (!walked) {
    return {TMp3Info{.Length = -1},
            kReadBeyondEnd,
            {{Problem::Kind::kTruncated, 0, "the file shrank while it was read"}},
            0.0,
            file.Identity()};
  }
  return {walked->info, walked->failure, std::move(walked->problems), walked->playSeconds,
          file.Identity()};
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

std::optional<std::string> Mp3FailureMessage(int failure) {
  const std::optional<std::string> text = FailureText(failure);
  if (!text) return std::nullopt;
  // The two lines are separated by LF then CR, in that order.
  return "Error \"EInOutError\": " + *text + "\n\rPlease message me the above information";
}

std::string Mp3FailureText(int failure) { return FailureText(failure).value_or("Access denied"); }

TMp3Info ReadMp3Info(const std::string& path, const MessageSink& show) {
  ProfilerReset();
  ProfilerStart("komplett");
  const Mp3Analysis analysis = AnalyseMp3(path);
  if (analysis.failure != 0) {
    if (const std::optional<std::string> message = Mp3FailureMessage(analysis.failure))
      show(*message);
  }
  ProfilerStop();
  return analysis.info;
}

}  // namespace tarnwick
