#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Wall-clock timing of named, nestable sections. Each finished section adds
// one line to an in-memory report: "name: 0.012346 sec" followed by CR LF, or
// only the seconds and " sec" for an unnamed section. Module-level state for
// use from one thread.

// Closes every open section without reporting it and empties the report.
void ProfilerReset();

// Opens a section inside the ones already open.
void ProfilerStart(std::string_view name);

// Closes the innermost open section and reports it; nothing when none is open.
void ProfilerStop();

const std::string& ProfilerReport();

// True while at least one section is open.
bool ProfilerActive();

}  // namespace tarnwick
