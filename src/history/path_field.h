#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Paths are bytes on Linux and need not be valid UTF-8, while JSON strings
// must be. A valid UTF-8 path is written as it is; any other is written in a
// readable form (its bytes read as Windows-1252) plus the field KEY_bytes with
// the raw bytes in standard base64, which readers take instead.

void PutPath(nlohmann::json& object, std::string_view key, std::string_view path);

// The path under `key`: from KEY_bytes when present, else the string itself.
// Nothing when the field is missing or malformed.
std::optional<std::string> GetPath(const nlohmann::json& object, std::string_view key);

// The same for a list of paths: KEY holds the readable forms, and KEY_bytes,
// only when some path needs it, the base64 bytes of each (null where the
// readable form is exact).
void PutPaths(nlohmann::json& object, std::string_view key, const std::vector<std::string>& paths);
std::optional<std::vector<std::string>> GetPaths(const nlohmann::json& object,
                                                 std::string_view key);

}  // namespace tarnwick
