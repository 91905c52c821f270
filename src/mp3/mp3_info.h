#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mp3/problems.h"
#include "platform/file_identity.h"
#include "platform/message_sink.h"

namespace tarnwick {

// What the analysis of one MP3 file found.
struct TMp3Info {
  std::int32_t Length = 0;   // play time in whole seconds; -1 when the analysis failed
  std::int32_t Bitrate = 0;  // average kbit/s over the frames without a fault
  std::int32_t Errors = 0;   // header faults, gaps, misplaced syncs, bitrate class changes
  bool Vbr = false;          // the bitrate changed in more than a quarter of the frames
  std::int32_t Frames = 0;   // frame syncs counted

  bool operator==(const TMp3Info&) const = default;
};

// The analysis of one file, from one pass over its bytes: the record, how
// the walk ended (`failure` 0, or the code of the input/output failure that
// ended it; info.Length is then -1) and the problems of the stream.
struct Mp3Analysis {
  TMp3Info info;
  int failure = 0;
  std::vector<Problem> problems = {};
  double playSeconds = 0.0;    // the walk's play time before rounding
  FileIdentity identity = {};  // of the file analysed; empty when it could not be opened
};

// Walks the file at `path` from its first frame to its end, opened for
// reading only, naming each problem of the stream, and with `deep` also
// every frame the decoder cannot decode (which decodes the whole file: slower
// by far). Never fails to return: a failed analysis has Length -1 and the
// counts reached until then; a file that cannot be opened has its failure
// code and no problems. Shows nothing.
Mp3Analysis AnalyseMp3(const std::string& path, bool deep = false);

// The message a failure code is shown with; none for a refused access.
std::optional<std::string> Mp3FailureMessage(int failure);

// The failure in a few words ("Read beyond end of file"), for lists.
std::string Mp3FailureText(int failure);

// AnalyseMp3 that shows a failure's message through `show`, timed by the
// profiler as one section.
TMp3Info ReadMp3Info(const std::string& path, const MessageSink& show);

}  // namespace tarnwick
