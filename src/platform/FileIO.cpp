#include "platform/FileIO.h"

#include "platform/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane {

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TOSFile::~TOSFile() {
    if (FFd >= 0) ::close(FFd);
}

void TOSFile::Open(const std::string& path, bool readOnly) {
    Close();
    const int fd = ::open(path.c_str(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) RaiseOSError(errno);
    FFd = fd;
}

void TOSFile::Close() {
    if (FFd < 0) return;
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0 && errno != EINTR) RaiseOSError(errno);
}

int64_t TOSFile::ReadAt(int64_t offset, void* buffer, int64_t count) const {
    if (FFd < 0) RaiseOSError(EBADF);
    if (offset < 0 || count < 0) RaiseOSError(EINVAL);
    auto* out = static_cast<char*>(buffer);
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(FFd, out + done, static_cast<size_t>(count - done), offset + done);
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseOSError(errno);
        }
        if (n == 0) break;
        done += n;
    }
    return done;
}

void TOSFile::WriteAt(int64_t offset, const void* buffer, int64_t count) {
    if (FFd < 0) RaiseOSError(EBADF);
    if (offset < 0 || count < 0) RaiseOSError(EINVAL);
    const auto* in = static_cast<const char*>(buffer);
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(FFd, in + done, static_cast<size_t>(count - done), offset + done);
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseOSError(errno);
        }
        if (n == 0) RaiseOSError(EIO);
        done += n;
    }
}

int64_t TOSFile::Size() const {
    if (FFd < 0) RaiseOSError(EBADF);
    struct stat st {};
    if (::fstat(FFd, &st) != 0) RaiseOSError(errno);
    return static_cast<int64_t>(st.st_size);
}

void TOSFile::Flush() {
    if (FFd < 0) RaiseOSError(EBADF);
    if (::fdatasync(FFd) != 0) {
        // Some file systems (pipes, special files) cannot sync; the write itself succeeded.
        if (errno != EINVAL && errno != EROFS) RaiseOSError(errno);
    }
}

} // namespace morvane
