#pragma once

#include <cstddef>

#include "search/search_run.h"

namespace tarnwick {

// The duplicate-choice rules by the numbers kept in settings.priority.
enum PriorityRule : int {
  RuleVbr = 0,
  RuleBitrate = 1,
  RuleErrors = 2,
  RuleLength = 3,
  RuleFirst = 4
};

// Handles a pair of tracks with equal keys, i > j: analyses both files, lists
// them (A = track i first, then B = track j) and, unless only showing, lets
// the priority rules choose the copy to keep and removes the other.
void ComparePair(SearchRun& run, size_t i, size_t j);

}  // namespace tarnwick
