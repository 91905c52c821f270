#include "ui/run_texts.h"

#include <utility>
#include <vector>

#include "platform/format.h"

namespace tarnwick {
namespace {

std::string DuplicateSummary(const RunCounts& c, const RESULTS& t) {
  std::string text =
      c.pairs == 0 ? t.TitleNoDuplicates : CountText(t.TitleSumPairs, t.TitleSumPairs1, c.pairs);
  const std::pair<int, const std::string*> outcomes[] = {{c.moved, &t.TitleSumMoved},
                                                         {c.trashed, &t.TitleSumTrashed},
                                                         {c.deleted, &t.TitleSumDeleted},
                                                         {c.held, &t.TitleSumHeld},
                                                         {c.failed, &t.TitleSumFailed}};
  const char* joint = ": ";
  for (const auto& [number, pattern] : outcomes) {
    if (number == 0) continue;
    text += joint + FormatText(*pattern, number);
    joint = ", ";
  }
  if (c.renamed > 0) text += "; " + FormatText(t.TitleSumRenamed, c.renamed);
  if (c.unknownMoved > 0) {
    text += "; " + CountText(t.TitleSumUnknown, t.TitleSumUnknown1, c.unknownMoved);
  }
  if (c.otherFailed > 0) text += "; " + FormatText(t.TitleSumFailed, c.otherFailed);
  return text;
}

std::string ErrorSummary(const RunCounts& c, const RESULTS& t) {
  if (c.damaged == 0) return t.TitleNoDamaged;
  return CountText(t.TitleSumDamaged, t.TitleSumDamaged1, c.damaged);
}

}  // namespace

std::string OutcomeText(const RowOutcome& outcome, const RESULTS& texts) {
  using Kind = RowOutcome::Kind;
  switch (outcome.kind) {
    case Kind::kNone: return "";
    case Kind::kKept: return texts.TitleKept;
    case Kind::kMoved: return FormatText(texts.TitleMovedTo, outcome.detail);
    case Kind::kTrashed: return texts.TitleTrashed;
    case Kind::kDeleted: return texts.TitleDeleted;
    case Kind::kRenamed: return FormatText(texts.TitleRenamedFrom, outcome.detail);
    case Kind::kHeld: return FormatText(texts.TitleHeld, HeldReasonText(outcome.held, texts));
    case Kind::kFailed: return FormatText(texts.TitleFailed, outcome.error.message());
  }
  return "";
}

const std::string& HeldReasonText(HeldPair::Reason reason, const RESULTS& texts) {
  switch (reason) {
    case HeldPair::Reason::kSameFile: return texts.TitleHeldSameFile;
    case HeldPair::Reason::kLengthsDiffer: return texts.TitleHeldLengths;
    case HeldPair::Reason::kDifferentRecordings: return texts.TitleHeldRecordings;
    case HeldPair::Reason::kKeepIsDamaged: return texts.TitleHeldDamaged;
  }
  return texts.TitleHeldSameFile;
}

std::string CountText(const std::string& plural, const std::string& singular, long long number) {
  return FormatText(number == 1 && !singular.empty() ? singular : plural, number);
}

std::string SummaryText(const RunCounts& counts, RunType type, bool stopped, const RESULTS& texts) {
  std::string text =
      type == RunType::kDuplicates ? DuplicateSummary(counts, texts) : ErrorSummary(counts, texts);
  return stopped ? FormatText(texts.TitleSumStopped, text) : text;
}

}  // namespace tarnwick
