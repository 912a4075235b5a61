#pragma once
// The declarations folder of one installation: every read, write, test and
// listing of a stored declaration goes through here, so the windows never
// build a path themselves. The store knows its base folder (the folder that
// holds Tables; empty for the working folder).
#include <string>
#include <string_view>

#include "records/declaration_kind.h"
#include "records/declarations_index.h"
#include "records/record_files.h"

namespace kestrana {

class E1Record;
class E2Record;

class DeclarationsStore {
public:
    explicit DeclarationsStore(std::string baseDir = "") : baseDir_(std::move(baseDir)) {}

    const std::string& BaseDir() const { return baseDir_; }
    std::string TablesDir() const;
    // "Tables/E1<afm>.dta" under the base folder.
    std::string FileName(DeclarationKind kind, std::string_view taxNumber) const;
    // False too for a tax number that cannot be a file name.
    bool Exists(DeclarationKind kind, std::string_view taxNumber) const;

    // As ReadE1File / ReadE2File: NotFound leaves the record as it was;
    // a short or unreadable file throws IoError.
    ReadResult Read(std::string_view taxNumber, E1Record& record) const;
    ReadResult Read(std::string_view taxNumber, E2Record& record) const;
    // Atomic replace under the record's own tax number; throws IoError.
    std::string Write(const E1Record& record) const;
    std::string Write(const E2Record& record) const;

    // The index lines of the kind (and the entries that could not be read).
    IndexScan List(DeclarationKind kind) const;
    // Removes the stored declaration; false when it could not be removed
    // (or the tax number cannot be a file name).
    bool Delete(DeclarationKind kind, std::string_view taxNumber) const;

private:
    std::string baseDir_;
};

}  // namespace kestrana
