#pragma once

#include <string>

#include "mp3/mp3_info.h"
#include "search/search_run.h"

namespace tarnwick {

// The analysis of one file of the run, timed by the profiler as one section;
// while the run's RunAnalyses lives, made ahead when the file was planned and
// reused when an unchanged file is asked for again. Unless the caller lists
// failures itself, a failure is shown through the run's view with the file's
// path in front, so the user knows which file it was about.
enum class Failures { kShow, kListed };
Mp3Analysis AnalyseTrack(SearchRun& run, const std::string& path,
                         Failures failures = Failures::kShow);

}  // namespace tarnwick
