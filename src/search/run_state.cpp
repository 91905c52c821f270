#include "search/search_run.h"

namespace tarnwick {

void BeginRun(SearchRun& run) {
  run.settings.mp3folderSaved = run.settings.mp3folder;
  run.settings.stopped = false;
  run.view.ProgressReset();
  run.view.SetRunButtons(false);
  run.view.SetExitButton(run.language.MAIN.ButtonCancel);
}

void EndRun(SearchRun& run) {
  run.settings.mp3folder = run.settings.mp3folderSaved;
  run.settings.stopped = true;
  run.view.ProgressReset();
  run.view.SetRunButtons(true);
  run.view.SetExitButton(run.language.MAIN.ButtonExit);
}

ExitDecision PressExit(SearchRun& run) {
  if (run.settings.stopped) return ExitDecision::kCloseWindow;
  EndRun(run);
  return ExitDecision::kRunStopped;
}

}  // namespace tarnwick
