#include "platform/file_ops.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace kestrana {

namespace fs = std::filesystem;

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool FileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool FolderExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool CreateFolder(const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return FolderExists(path);
}

bool DeleteFile(const fs::path& path) {
    if (!FileExists(path)) return false;
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

bool CopyFileNoOverwrite(const fs::path& from, const fs::path& to) {
    // Non-blocking: a named pipe must not hang the open (it is refused below).
    Fd in(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!in.ok()) return false;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    // O_EXCL: the target is created here or the copy does not happen.
    Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!out.ok()) return false;
    char buffer[1 << 16];
    bool good = true;
    for (;;) {
        ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) good = false;
        if (n <= 0) break;
        if (!WriteAll(out.get(), buffer, static_cast<size_t>(n))) {
            good = false;
            break;
        }
    }
    if (!out.Close()) good = false;
    if (!good) ::unlink(to.c_str());
    return good;
}

bool FileIsLocked(const fs::path& path) {
    if (!FileExists(path)) return false;
    Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (!fd.ok()) return true;
    // Held by another open (a viewer that locks its file)?
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return true;
    ::flock(fd.get(), LOCK_UN);
    return false;
}

std::vector<std::string> ListFolder(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));  // a pipe is refused below
    if (!fd.ok()) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        content.append(buffer, static_cast<size_t>(n));
    }
    return content;
}

bool WriteWholeFile(const fs::path& path, std::string_view content) {
    fs::path folder = path.parent_path();
    std::string pattern = (folder.empty() ? fs::path(".") : folder) / ("." + path.filename().string() + ".XXXXXX");
    int raw = ::mkstemp(pattern.data());
    if (raw < 0) return false;
    Fd fd(raw);
    bool good = WriteAll(fd.get(), content.data(), content.size()) && ::fsync(fd.get()) == 0;
    // mkstemp makes the file private; keep the old file's permissions, or
    // give a new one the usual ones.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd.get(), mode);
    if (!fd.Close()) good = false;
    if (good && ::rename(pattern.c_str(), path.c_str()) != 0) good = false;
    if (!good) ::unlink(pattern.c_str());
    return good;
}

}  // namespace kestrana
