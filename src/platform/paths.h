#pragma once
// Where the program's files are. The program's own folder is the working
// folder; names inside it ("WParams" written "wParams" or "Wparams") are
// looked up without regard to letter case, as on the system the declaration
// files come from. No Qt here.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrana {

// The folder that holds the running program (empty when it cannot be told).
std::filesystem::path ProgramFolder();

// Makes ProgramFolder() the working folder; false when that fails.
bool MakeProgramFolderCurrent();

// "Tables\E1123.dta" -> "Tables/E1123.dta": the backslash paths of the
// declaration world written for this system.
std::string NativePath(std::string_view path);

// The existing entry of `folder` that `relativePath` names when every part is
// compared without regard to ASCII letter case: "Wparams/Doys.txt" finds
// "WParams/Doys.txt". Both "/" and "\" separate parts. An exact match wins;
// among several case variants the first in name order is taken. Absolute
// paths and ".." parts are refused, so the lookup never leaves `folder`.
std::optional<std::filesystem::path> FindCaseInsensitive(const std::filesystem::path& folder,
                                                         std::string_view relativePath);

// As FindCaseInsensitive, for files that may not exist yet: the parts found
// take their stored spelling, the rest is kept as written ("wParams/New.txt"
// -> "WParams/New.txt"). Empty for an absolute path or one with "..".
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& folder, std::string_view relativePath);

}  // namespace kestrana
