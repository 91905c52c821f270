#pragma once

#include <string>

#include "mp3/mp3_info.h"
#include "search/result_row.h"
#include "settings/language.h"

namespace tarnwick {

// Play time as minutes and seconds, each at least two digits: 04:01, 100:00.
std::string FormatPlayTime(int seconds);

// Progress in whole percent, halves to the even neighbour: 1 of 8 gives 12.
int PercentDone(size_t done, size_t total);

// The row of one file of a duplicate pair: bitrate as "192kB/s".
ResultRow PairRow(const std::string& path, const std::string& folder, const TMp3Info& info,
                  const MAIN& texts);

// The row of a damaged file in the error detection: bitrate as "128 KB/s".
// With `problems_column` a seventh sub-item names the problems of the
// stream; a file whose analysis failed then shows "-" for its values.
ResultRow ErrorRow(const std::string& path, const Mp3Analysis& analysis, const MAIN& texts,
                   bool problems_column);

// The problems of a file in a few words: each kind once, in order of first
// appearance, with its count when above one ("junk ×3, truncated").
std::string ProblemsText(const std::vector<Problem>& problems);

// A file set aside as unknown: its full path and five "-".
ResultRow UnknownRow(const std::string& path);

ResultRow SeparatorRow();

}  // namespace tarnwick
