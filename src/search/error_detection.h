#pragma once

#include "search/search_run.h"

namespace tarnwick {

// The error detection, as its button starts it: gathers every MP3 file of
// the configured folders, analyses each one and lists those with errors.
// It moves, deletes and renames nothing.
RunOutcome RunErrorDetection(SearchRun& run);

}  // namespace tarnwick
