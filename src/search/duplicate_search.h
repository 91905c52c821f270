#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "search/search_run.h"

namespace tarnwick {

// One duplicate search over the configured folders, as the search button
// starts it.
RunOutcome RunDuplicateSearch(SearchRun& run);

// Calls `compare(i, j)` for every pair of tracks i > j with equal, non-empty
// keys: in ascending order of i and, for one i, ascending j. Keys are read
// afresh at every test, so a track whose key `compare` empties matches
// nothing from then on. Before each i the progress moves, pending events run
// and an abort (`stopped`) ends the loop.
using ComparePairFn = std::function<void(size_t i, size_t j)>;
void FindPairs(SearchRun& run, const ComparePairFn& compare);

// The files FindPairs hands to ComparePair when no key is emptied on the
// way, each once, in the order ComparePair analyses them: the files to
// analyse ahead.
std::vector<std::string> PairFilesInOrder(const TrackList& tracks);

}  // namespace tarnwick
