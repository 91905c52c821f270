#include "search/track_analysis.h"

#include <optional>

#include "mp3/profiler.h"
#include "search/run_analyses.h"

namespace tarnwick {

Mp3Analysis AnalyseTrack(SearchRun& run, const std::string& path, Failures failures) {
  ProfilerReset();
  ProfilerStart("komplett");
  const Mp3Analysis analysis = run.analyses != nullptr ? run.analyses->Analysis(path)
                                                       : AnalyseMp3(path, run.options.deepCheck);
  ProfilerStop();
  if (analysis.failure != 0 && failures == Failures::kShow) {
    if (const std::optional<std::string> message = Mp3FailureMessage(analysis.failure)) {
      run.view.ShowMessage(path + ": " + *message);
    }
  }
  return analysis;
}

}  // namespace tarnwick
