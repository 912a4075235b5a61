#include "records/record_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "records/e1_record.h"
#include "records/e2_record.h"
#include "records/errors.h"

namespace kestrana {

const char* const kUnsafeTaxNumberMessage =
    "Ο Α.Φ.Μ. περιέχει μη επιτρεπτούς χαρακτήρες (/, \\ ή ..) και δεν μπορεί να γίνει όνομα αρχείου.";

namespace {

std::string ErrnoText(int err) { return std::strerror(err); }

std::string DeclarationFileName(const char* kind, std::string_view taxNumber, const std::string& baseDir) {
    return TablesDir(baseDir) + "/" + kind + std::string(taxNumber) + ".dta";
}

template <class Record>
ReadResult ReadDeclaration(const std::string& path, std::string_view taxNumber, Record& record) {
    if (!TaxNumberIsSafeForFileName(taxNumber)) throw IoError(path, kUnsafeTaxNumberMessage);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadResult::NotFound;
        throw IoError(path, ErrnoText(errno));
    }
    std::array<uint8_t, Record::kSize> buffer;
    ReadFilePrefix(path, buffer.data(), buffer.size());
    record.FromBytes(buffer);
    return ReadResult::Read;
}

template <class Record>
std::string WriteDeclaration(const char* kind, const Record& record, const std::string& baseDir) {
    std::string afm = record.TaxNumber();
    std::string path = DeclarationFileName(kind, afm, baseDir);
    if (!TaxNumberIsSafeForFileName(afm)) throw IoError(path, kUnsafeTaxNumberMessage);
    std::error_code ec;
    std::filesystem::create_directories(TablesDir(baseDir), ec);  // a failure shows at the write
    WriteFileAtomically(path, record.Bytes());
    return path;
}

}  // namespace

std::string TablesDir(const std::string& baseDir) { return baseDir.empty() ? "Tables" : baseDir + "/Tables"; }

std::string E1FileName(std::string_view taxNumber, const std::string& baseDir) {
    return DeclarationFileName("E1", taxNumber, baseDir);
}

std::string E2FileName(std::string_view taxNumber, const std::string& baseDir) {
    return DeclarationFileName("E2", taxNumber, baseDir);
}

bool TaxNumberIsSafeForFileName(std::string_view t) {
    for (char c : t) {
        auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
    }
    return t.find("..") == std::string_view::npos;
}

ReadResult ReadE1File(std::string_view taxNumber, E1Record& record, const std::string& baseDir) {
    return ReadDeclaration(E1FileName(taxNumber, baseDir), taxNumber, record);
}

ReadResult ReadE2File(std::string_view taxNumber, E2Record& record, const std::string& baseDir) {
    return ReadDeclaration(E2FileName(taxNumber, baseDir), taxNumber, record);
}

bool E1FileExists(std::string_view taxNumber, const std::string& baseDir) {
    std::error_code ec;
    return TaxNumberIsSafeForFileName(taxNumber) && std::filesystem::exists(E1FileName(taxNumber, baseDir), ec);
}

bool E2FileExists(std::string_view taxNumber, const std::string& baseDir) {
    std::error_code ec;
    return TaxNumberIsSafeForFileName(taxNumber) && std::filesystem::exists(E2FileName(taxNumber, baseDir), ec);
}

std::string WriteE1File(const E1Record& record, const std::string& baseDir) {
    return WriteDeclaration("E1", record, baseDir);
}

std::string WriteE2File(const E2Record& record, const std::string& baseDir) {
    return WriteDeclaration("E2", record, baseDir);
}

int OpenRegularFileAt(int dirFd, const char* name) {
    // Non-blocking so that opening a pipe returns at once; a regular file
    // reads the same either way.
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

void ReadFilePrefix(const std::string& path, uint8_t* out, size_t size) {
    int fd = OpenRegularFileAt(AT_FDCWD, path.c_str());
    if (fd < 0) throw IoError(path, ErrnoText(errno));
    size_t got = 0;
    while (got < size) {
        ssize_t n = ::read(fd, out + got, size - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            throw IoError(path, ErrnoText(err));
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (got < size) throw IoError(path, "το αρχείο είναι μικρότερο από " + std::to_string(size) + " bytes");
}

void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    static std::atomic<unsigned> counter{0};
    // The temporary name holds no "E1" or "E2", so a leftover of a save cut
    // short is never listed (or deleted) as a declaration.
    const std::filesystem::path target(path);
    const std::string temp = (target.parent_path() / (".kestrana-save-" + std::to_string(::getpid()) + "_" +
                                                      std::to_string(counter++) + ".tmp"))
                                 .string();
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw IoError(path, ErrnoText(errno));
    auto fail = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        throw IoError(path, ErrnoText(err));
    };
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail(errno);
    int rc = ::close(fd);
    fd = -1;
    if (rc != 0) fail(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) fail(errno);
    // Make the rename itself durable; a failure here no longer risks the data.
    std::string dir = std::filesystem::path(path).parent_path().string();
    int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

}  // namespace kestrana
