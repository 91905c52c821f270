#include "mp3/profiler.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace tarnwick {
namespace {

using Clock = std::chrono::steady_clock;

struct Section {
  std::string name;
  Clock::time_point start;
};

struct ProfilerState {
  std::vector<Section> open;  // innermost last
  std::string report;
};

ProfilerState& State() {
  static ProfilerState state;
  return state;
}

std::string ReportLine(const std::string& name, double seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "%2.6f sec\r\n", seconds);
  return name.empty() ? text : name + ": " + text;
}

}  // namespace

void ProfilerReset() {
  State().open.clear();
  State().report.clear();
}

void ProfilerStart(std::string_view name) {
  State().open.push_back({std::string(name), Clock::now()});
}

void ProfilerStop() {
  ProfilerState& state = State();
  if (state.open.empty()) return;
  const Clock::time_point stop = Clock::now();
  const Section& section = state.open.back();
  state.report +=
      ReportLine(section.name, std::chrono::duration<double>(stop - section.start).count());
  state.open.pop_back();
}

const std::string& ProfilerReport() { return State().report; }

bool ProfilerActive() { return !State().open.empty(); }

}  // namespace tarnwick
