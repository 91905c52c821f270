#pragma once

#include <map>
#include <string>
#include <vector>

#include "mp3/ahead_analysis.h"
#include "mp3/audio_fingerprint.h"
#include "mp3/mp3_info.h"
#include "platform/file_identity.h"
#include "search/search_run.h"

namespace tarnwick {

// The analyses and fingerprints of one run's files, for as long as it lives
// (it makes itself the run's `analyses`). A file is known by its identity
// (device, inode, size, modification time), so a file that changed since is
// analysed again. A fingerprint is kept until the file's last pair is done,
// at most until the folder is: at about 3 KB a file (90 s of audio) they
// would outweigh everything else a long run keeps. The planned files are
// analysed ahead on worker threads (run.options.workers); everything else
// happens on the run's thread, and every result is the one the file gives
// when it is asked for.
class RunAnalyses {
 public:
  // kForRun keeps every analysis for the rest of the run (a file of several
  // pairs is analysed once); kOnce keeps none, for a run that asks for each
  // file once.
  enum class Reuse { kOnce, kForRun };

  RunAnalyses(SearchRun& run, Reuse reuse);
  // Waits for the analyses in progress.
  ~RunAnalyses();
  RunAnalyses(const RunAnalyses&) = delete;
  RunAnalyses& operator=(const RunAnalyses&) = delete;

  // The files the run will ask for next, in that order.
  void Plan(std::vector<std::string> paths) { ahead_.Plan(std::move(paths)); }
  // Plan for a new folder, whose pairs need none of the earlier fingerprints
  // (pairs never span two folders).
  void StartFolder(std::vector<std::string> paths) {
    fingerprints_.clear();
    Plan(std::move(paths));
  }
  // The file at `path` is in no further pair: its fingerprint goes.
  void DoneWith(const std::string& path);

  // The analysis of the file at `path` as it is now.
  Mp3Analysis Analysis(const std::string& path);

  // The fingerprint of the file at `path`, analysed as `identity`. Two files'
  // fingerprints not yet made are made at the same time on two threads.
  const FingerprintResult& Fingerprint(const std::string& path, const FileIdentity& identity);
  void PrepareFingerprints(const std::string& path_a, const FileIdentity& a,
                           const std::string& path_b, const FileIdentity& b);

 private:
  struct IdentityOrder {
    bool operator()(const FileIdentity& a, const FileIdentity& b) const;
  };

  SearchRun& run_;
  const Reuse reuse_;
  std::map<FileIdentity, Mp3Analysis, IdentityOrder> analyses_;
  std::map<FileIdentity, FingerprintResult, IdentityOrder> fingerprints_;
  AheadAnalysis ahead_;  // last: its workers stop first
};

}  // namespace tarnwick
