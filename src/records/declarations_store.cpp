#include "records/declarations_store.h"

#include <cstdio>

#include "records/e1_record.h"
#include "records/e2_record.h"

namespace kestrana {

std::string DeclarationsStore::TablesDir() const { return kestrana::TablesDir(baseDir_); }

std::string DeclarationsStore::FileName(DeclarationKind kind, std::string_view taxNumber) const {
    return kind == DeclarationKind::E2 ? E2FileName(taxNumber, baseDir_) : E1FileName(taxNumber, baseDir_);
}

bool DeclarationsStore::Exists(DeclarationKind kind, std::string_view taxNumber) const {
    return kind == DeclarationKind::E2 ? E2FileExists(taxNumber, baseDir_) : E1FileExists(taxNumber, baseDir_);
}

ReadResult DeclarationsStore::Read(std::string_view taxNumber, E1Record& record) const {
    return ReadE1File(taxNumber, record, baseDir_);
}

ReadResult DeclarationsStore::Read(std::string_view taxNumber, E2Record& record) const {
    return ReadE2File(taxNumber, record, baseDir_);
}

std::string DeclarationsStore::Write(const E1Record& record) const { return WriteE1File(record, baseDir_); }

std::string DeclarationsStore::Write(const E2Record& record) const { return WriteE2File(record, baseDir_); }

IndexScan DeclarationsStore::List(DeclarationKind kind) const {
    return kind == DeclarationKind::E2 ? ListE2Files(TablesDir()) : ListE1Files(TablesDir());
}

bool DeclarationsStore::Delete(DeclarationKind kind, std::string_view taxNumber) const {
    if (!TaxNumberIsSafeForFileName(taxNumber)) return false;
    return std::remove(FileName(kind, taxNumber).c_str()) == 0;
}

}  // namespace kestrana
