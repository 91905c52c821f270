#pragma once

namespace tarnwick::cli {

// Ctrl-C (SIGINT), SIGTERM and SIGHUP are the exit button: the first asks the
// run to stop at its next test point, so that it ends whole and reports what
// it did; a second one ends the program at once, after removing the
// temporary file of a copy in progress. SIGPIPE is ignored, so that a closed
// output shows as a failed write instead of killing the run mid-action.
void InstallStopSignals();

bool StopRequested();

// 128 + the number of the first stop signal: 130 for Ctrl-C, 143 for SIGTERM.
int StopStatus();

}  // namespace tarnwick::cli
