#pragma once
// File operations the windows need, each reporting plain success or failure
// (the callers decide whether a failure is shown or ignored). No Qt here.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrana {

bool FileExists(const std::filesystem::path& path);    // a file, not a folder
bool FolderExists(const std::filesystem::path& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolder(const std::filesystem::path& path);

// Removes a file; false when it could not be removed (or was not there).
bool DeleteFile(const std::filesystem::path& path);

// Copies `from` to `to` only when `to` does not exist yet; an existing file is
// never replaced, not even by a copy racing with another. A copy that fails
// half-way leaves no partial file behind.
bool CopyFileNoOverwrite(const std::filesystem::path& from, const std::filesystem::path& to);

// True when the file exists but cannot be opened for reading and writing
// with nobody else holding it (read-only, or locked by another program).
bool FileIsLocked(const std::filesystem::path& path);

// Names of the entries of a folder (files and folders, no "." or ".."),
// sorted; empty when the folder cannot be read.
std::vector<std::string> ListFolder(const std::filesystem::path& folder);

// The whole content of a file; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces the file with `content` atomically: a temporary file in the same
// folder is written, flushed to disk and renamed over the old one, so a
// failure leaves the old file as it was.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view content);

}  // namespace kestrana
