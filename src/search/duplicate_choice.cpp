#include "search/duplicate_choice.h"

#include "mp3/mp3_info.h"
#include "search/file_actions.h"
#include "search/pair_check.h"
#include "search/row_format.h"
#include "search/track_analysis.h"

namespace tarnwick {
namespace {

enum class Verdict { kUndecided, kRemoveA, kRemoveB };

// Rule 0: with "vbrever" a VBR file always wins against a CBR one; otherwise
// a VBR file counts like a CBR file of twice its bitrate in the later rules.
Verdict ApplyVbrRule(const SETTINGS& s, TMp3Info& a, TMp3Info& b) {
  if (!s.vbr || a.Vbr == b.Vbr) return Verdict::kUndecided;
  TMp3Info& vbr_file = a.Vbr ? a : b;
  if (s.vbrever) return a.Vbr ? Verdict::kRemoveB : Verdict::kRemoveA;
  vbr_file.Bitrate *= 2;
  return Verdict::kUndecided;
}

// Prefers the larger value; equal values decide nothing.
Verdict PreferLarger(int a, int b) {
  if (b < a) return Verdict::kRemoveB;
  if (a < b) return Verdict::kRemoveA;
  return Verdict::kUndecided;
}

Verdict PreferSmaller(int a, int b) { return PreferLarger(b, a); }

Verdict ApplyRule(const SETTINGS& s, int rule, TMp3Info& a, TMp3Info& b) {
  switch (rule) {
    case RuleVbr: return ApplyVbrRule(s, a, b);
    case RuleBitrate: return PreferLarger(a.Bitrate, b.Bitrate);
    case RuleErrors: return PreferSmaller(a.Errors, b.Errors);
    case RuleLength: return PreferLarger(a.Length, b.Length);
    case RuleFirst: return Verdict::kRemoveB;
  }
  return Verdict::kUndecided;
}

// The rules in the order of `priority`, until one prefers a copy; an
// illegal rule number is reported unless `quiet`.
Verdict WalkRules(SearchRun& run, TMp3Info a, TMp3Info b, bool quiet) {
  const SETTINGS& s = run.settings;
  for (size_t p = 0; p < s.priority.size(); ++p) {
    const int rule = s.priority[p];
    if (rule < RuleVbr || rule > RuleFirst) {
      if (!quiet) run.view.ShowMessage(run.language.MESSAGES.MsgIllegalNumPrioList);
      continue;
    }
    const Verdict verdict = ApplyRule(s, rule, a, b);
    if (verdict != Verdict::kUndecided) return verdict;
  }
  return Verdict::kUndecided;
}

void ListPair(SearchRun& run, const std::string& path_a, const TMp3Info& a,
              const std::string& path_b, const TMp3Info& b) {
  const std::string& folder = run.settings.mp3folder;
  run.view.AppendRow(SeparatorRow());
  run.view.AppendRow(PairRow(path_a, folder, a, run.language.MAIN));
  run.view.ProcessPendingEvents();
  run.view.AppendRow(PairRow(path_b, folder, b, run.language.MAIN));
  run.view.ProcessPendingEvents();
}

// The pair check of the decided pair; true when the pair is held.
bool Held(SearchRun& run, const PairFile& a, const PairFile& b, Verdict verdict) {
  const bool remove_a = verdict == Verdict::kRemoveA;
  const std::optional<HoldReason> hold = CheckPair(run, remove_a ? b : a, remove_a ? a : b);
  if (hold) run.view.PairHeld({hold->reason, a.path, b.path, hold->similarity});
  return hold.has_value();
}

}  // namespace

void ComparePair(SearchRun& run, size_t i, size_t j) {
  if (i <= j) return;
  const std::string path_a = run.tracks.trackPaths[i];
  const std::string path_b = run.tracks.trackPaths[j];
  const Mp3Analysis a = AnalyseTrack(run, path_a);
  const Mp3Analysis b = AnalyseTrack(run, path_b);
  if (a.info.Length == -1 || b.info.Length == -1) return;
  ListPair(run, path_a, a.info, path_b, b.info);
  // Two names of one file (a link, a hard link) are no duplicates: acting
  // on one would remove the only copy.
  if (a.identity.SameFile(b.identity)) {
    run.view.PairHeld({HeldPair::Reason::kSameFile, path_a, path_b, std::nullopt});
    return;
  }
  // Show mode walks no rules, unless the pair check needs to know which
  // copy a real run would keep, to say whether it would hold the pair.
  const bool show = run.settings.doubleMode == kDoubleShow;
  const bool check = run.settings.checkpairs;
  if (show && !check) return;
  const Verdict verdict = WalkRules(run, a.info, b.info, show);
  if (verdict == Verdict::kUndecided) return;
  if (check && Held(run, {path_a, a}, {path_b, b}, verdict)) return;
  if (show) return;
  if (verdict == Verdict::kRemoveA) RemoveTrack(run, i, a.identity);
  if (verdict == Verdict::kRemoveB) RemoveTrack(run, j, b.identity);
}

}  // namespace tarnwick
