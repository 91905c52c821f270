#pragma once

#include <string>

#include "settings/language.h"
#include "ui/run_record.h"

namespace tarnwick {

// The words of the language for what happened to a row's file ("moved to
// /x/Moved/Song_2.mp3", "held: lengths differ"); empty when nothing did.
std::string OutcomeText(const RowOutcome& outcome, const RESULTS& texts);

const std::string& HeldReasonText(HeldPair::Reason reason, const RESULTS& texts);

// `number` in the singular pattern when it is 1 and the language has one,
// else in the plural pattern.
std::string CountText(const std::string& plural, const std::string& singular, long long number);

enum class RunType { kDuplicates, kErrors };

// The one line that ends a run: "24 pairs: 20 moved, 3 held, 1 failed;
// 5 renamed; 2 unknown files moved", "No duplicates found", "3 damaged
// files"; marked as stopped when the user stopped the run.
std::string SummaryText(const RunCounts& counts, RunType type, bool stopped, const RESULTS& texts);

}  // namespace tarnwick
