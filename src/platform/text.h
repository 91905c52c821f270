#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

bool IsValidUtf8(std::string_view bytes);

// Every byte is a Windows-1252 character; the five unassigned codes map to
// the C1 control characters of the same value, as Windows does.
std::string Cp1252ToUtf8(std::string_view bytes);

// Names and texts are bytes: valid UTF-8 is taken as it is, anything else is
// read as Windows-1252, the code page of collections from older systems.
std::string ToUtf8(std::string_view bytes);

// Lowers only the letters A to Z; every other byte stays as it is.
std::string LowerAscii(std::string_view text);

// The part of a path after its last '/', and the part up to and including it.
std::string_view FileNameOf(std::string_view path);
std::string_view FolderOf(std::string_view path);

// Appends '/' to a non-empty path that does not end with one.
std::string WithTrailingSlash(std::string path);

}  // namespace tarnwick
