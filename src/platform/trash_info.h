#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace tarnwick {

// The file name ending of the entries in a trash's info/ folder.
inline constexpr std::string_view kTrashInfoEnding = ".trashinfo";

// RFC 3986 percent-encoding of a path: unreserved characters (letters,
// digits, "-._~") and '/' stay, every other byte becomes %XX.
std::string PercentEncodePath(std::string_view path);

// The text of an info file: the original absolute path and the deletion
// time as local time.
std::string TrashInfoText(std::string_view absolute_path, std::time_t deleted);

// The name a trashed entry called `name` gets at attempt `attempt` (1, 2,
// ...): the name itself first, then "Song.2.mp3", "Song.3.mp3": the number
// goes before the extension so that the type still shows. A name too long for
// "NAME.trashinfo" to fit in a folder entry is shortened before its
// extension, never inside a UTF-8 character.
std::string TrashEntryName(std::string_view name, int attempt);

}  // namespace tarnwick
