#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "mp3/problems.h"
#include "search/result_row.h"
#include "search/run_view.h"

namespace tarnwick::cli {

// The JSON objects of the command line's output. Paths are given exactly: a
// name that is not UTF-8 has its raw bytes in an extra "<key>_bytes" field
// (base64), so a script can act on it.

// {"kind": "pair", "caption", "items": [...], "path", and the exact values
// "length" (seconds), "bitrate" (kbit/s), "errors", "frames", "vbr"; error
// rows also "problems" and, for a failed analysis, "failure" and "message"}.
nlohmann::json RowObject(const ResultRow& row);

// {"kind": "action", "action": "move|trash|delete|rename", "from", "to",
// "ok", "error" when it failed, "dry_run": true in a dry run}.
nlohmann::json ActionObject(const FileAction& action, bool dry_run);

// {"kind": "held", "reason", "files": [A, B], "similarity": number or null}.
nlohmann::json HeldObject(const HeldPair& held);

// [{"kind", "offset", "detail"}, ...]
nlohmann::json ProblemsArray(const std::vector<Problem>& problems);

// The values of an analysis: "length", "bitrate", "errors", "frames", "vbr".
void PutAnalysis(nlohmann::json& object, const TMp3Info& info);

}  // namespace tarnwick::cli
