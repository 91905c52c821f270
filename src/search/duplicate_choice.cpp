#include "search/duplicate_choice.h"

#include "mp3/mp3_info.h"
#include "search/file_actions.h"
#include "search/row_format.h"

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

void WalkRules(SearchRun& run, size_t i, size_t j, TMp3Info a, TMp3Info b) {
  const SETTINGS& s = run.settings;
  for (size_t p = 0; p < s.priority.size() && s.doubleMode != kDoubleShow; ++p) {
    const int rule = s.priority[p];
    if (rule < RuleVbr || rule > RuleFirst) {
      run.view.ShowMessage(run.language.MESSAGES.MsgIllegalNumPrioList);
      continue;
    }
    const Verdict verdict = ApplyRule(s, rule, a, b);
    if (verdict == Verdict::kUndecided) continue;
    RemoveTrack(run, verdict == Verdict::kRemoveA ? i : j);
    return;
  }
}

}  // namespace

void ComparePair(SearchRun& run, size_t i, size_t j) {
  if (i <= j) return;
  const std::string path_a = run.tracks.trackPaths[i];
  const std::string path_b = run.tracks.trackPaths[j];
  const TMp3Info a = ReadMp3Info(path_a, ViewMessages(run));
  const TMp3Info b = ReadMp3Info(path_b, ViewMessages(run));
  if (a.Length == -1 || b.Length == -1) return;
  const std::string& folder = run.settings.mp3folder;
  run.view.AppendRow(SeparatorRow());
  run.view.AppendRow(PairRow(path_a, folder, a, run.language.MAIN));
  run.view.ProcessPendingEvents();
  run.view.AppendRow(PairRow(path_b, folder, b, run.language.MAIN));
  run.view.ProcessPendingEvents();
  WalkRules(run, i, j, a, b);
}

}  // namespace tarnwick
