#include "search/run_analyses.h"

#include <fcntl.h>

#include <optional>
#include <thread>
#include <tuple>

#include "mp3/worker_thread.h"

namespace tarnwick {

bool RunAnalyses::IdentityOrder::operator()(const FileIdentity& a, const FileIdentity& b) const {
  return std::tie(a.device, a.inode, a.size, a.mtimeSeconds, a.mtimeNanoseconds) <
         std::tie(b.device, b.inode, b.size, b.mtimeSeconds, b.mtimeNanoseconds);
}

RunAnalyses::RunAnalyses(SearchRun& run, Reuse reuse)
    : run_(run),
      reuse_(reuse),
      ahead_({.workers = run.options.workers, .deep = run.options.deepCheck}) {
  run_.analyses = this;
}

RunAnalyses::~RunAnalyses() { run_.analyses = nullptr; }

Mp3Analysis RunAnalyses::Analysis(const std::string& path) {
  const FileIdentity now = IdentityAt(AT_FDCWD, path).value_or(FileIdentity{});
  if (reuse_ == Reuse::kForRun && now != FileIdentity{}) {
    if (const auto found = analyses_.find(now); found != analyses_.end()) return found->second;
  }
  Mp3Analysis analysis = ahead_.Take(path);
  // An analysis made ahead is of the file as it was then.
  if (analysis.identity != now) analysis = AnalyseMp3(path, run_.options.deepCheck);
  if (reuse_ == Reuse::kForRun && analysis.identity != FileIdentity{}) {
    analyses_.insert_or_assign(analysis.identity, analysis);
  }
  return analysis;
}

void RunAnalyses::DoneWith(const std::string& path) {
  if (const std::optional<FileIdentity> identity = IdentityAt(AT_FDCWD, path)) {
    fingerprints_.erase(*identity);
  }
}

const FingerprintResult& RunAnalyses::Fingerprint(const std::string& path,
                                                  const FileIdentity& identity) {
  auto found = fingerprints_.find(identity);
  if (found == fingerprints_.end()) {
    found = fingerprints_.emplace(identity, FingerprintFile(path)).first;
  }
  return found->second;
}

void RunAnalyses::PrepareFingerprints(const std::string& path_a, const FileIdentity& a,
                                      const std::string& path_b, const FileIdentity& b) {
  if (run_.options.workers == 0 || a == b || fingerprints_.contains(a) ||
      fingerprints_.contains(b)) {
    return;
  }
  FingerprintResult fingerprint_b;
  {
    const std::jthread other = StartWorker([&] { fingerprint_b = FingerprintFile(path_b); });
    fingerprints_.emplace(a, FingerprintFile(path_a));
  }
  fingerprints_.emplace(b, std::move(fingerprint_b));
}

}  // namespace tarnwick
