#pragma once
// Declaration files in Tables: "Tables/E1" + tax number + ".dta" (E2 alike),
// relative to the working folder or to a given base folder.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kestrana {

class E1Record;
class E2Record;

// "Tables/E1<afm>.dta"; with a base folder "<base>/Tables/E1<afm>.dta".
std::string E1FileName(std::string_view taxNumber, const std::string& baseDir = "");
std::string E2FileName(std::string_view taxNumber, const std::string& baseDir = "");
// "Tables" or "<base>/Tables".
std::string TablesDir(const std::string& baseDir = "");

// False when the tax number would lead out of Tables or make an odd name:
// "/", "\", "..", or a control character.
bool TaxNumberIsSafeForFileName(std::string_view taxNumber);
// The refusal shown when saving with such a tax number.
extern const char* const kUnsafeTaxNumberMessage;

enum class ReadResult { Read, NotFound };

// Reads the first record-size bytes of the tax number's file into the record.
// A missing file leaves the record as it was (NotFound). A short or unreadable
// file, or an unsafe tax number, throws IoError and leaves the record as it was.
ReadResult ReadE1File(std::string_view taxNumber, E1Record& record, const std::string& baseDir = "");
ReadResult ReadE2File(std::string_view taxNumber, E2Record& record, const std::string& baseDir = "");

bool E1FileExists(std::string_view taxNumber, const std::string& baseDir = "");
bool E2FileExists(std::string_view taxNumber, const std::string& baseDir = "");

// Writes the record to the file named after its stored tax number, replacing
// any old file atomically; creates Tables when it is missing. Throws IoError
// (with kUnsafeTaxNumberMessage as the reason for an unsafe tax number).
// Returns the file name written.
std::string WriteE1File(const E1Record& record, const std::string& baseDir = "");
std::string WriteE2File(const E2Record& record, const std::string& baseDir = "");

// Temporary file in the same folder, write, flush to disk, rename over the
// target. On any failure the old file is untouched, the temporary removed and
// IoError thrown.
void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// Opens `name` (relative to the folder `dirFd`, or AT_FDCWD) for reading,
// only when it is a regular file: a named pipe or a device found among the
// declarations would otherwise block the read for ever. -1 with errno set
// (EINVAL for anything but a regular file) when it cannot be opened.
int OpenRegularFileAt(int dirFd, const char* name);

// Reads the first `size` bytes of a file into `out` (at least that many must
// be there). Throws IoError; `out` may be partly written on failure.
void ReadFilePrefix(const std::string& path, uint8_t* out, size_t size);

}  // namespace kestrana
