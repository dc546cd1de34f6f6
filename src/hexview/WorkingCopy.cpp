#include "hexview/WorkingCopy.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace morvane::hexview {

TWorkingCopy::~TWorkingCopy() {
    if (FFd >= 0) ::close(FFd);
}

// mkstemp creates the file exclusively, readable by its owner only, under a random name;
// unlinking it at once means nobody else can open it and nothing is left behind, even
// after a crash. The descriptor keeps it alive until the view is destroyed.
void TWorkingCopy::EnsureFile() {
    if (FFd >= 0) return;
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = "/tmp";
    std::string name = (dir / "morvane-hex-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) RaiseOSError(errno);
    ::unlink(name.c_str());
    FFd = fd;
}

void TWorkingCopy::ReadFile(int64_t offset, uint8_t* out, int64_t count) const {
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(FFd, out + done, static_cast<size_t>(count - done), offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) RaiseOSError(errno);
        if (n == 0) RaiseOSError(EIO);
        done += n;
    }
}

void TWorkingCopy::WriteFile(int64_t offset, const uint8_t* in, int64_t count) {
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(FFd, in + done, static_cast<size_t>(count - done), offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) RaiseOSError(errno);
        if (n == 0) RaiseOSError(EIO);
        done += n;
    }
}

void TWorkingCopy::Assign(const uint8_t* bytes, int64_t count) {
    EnsureFile();
    if (::ftruncate(FFd, 0) != 0) RaiseOSError(errno);
    FSize = 0;
    FWindow.clear();
    FWindowStart = 0;
    if (count > 0) WriteFile(0, bytes, count);
    FSize = count;
}

void TWorkingCopy::LoadWindow(int64_t rowOffset) {
    FWindowStart = std::max<int64_t>(0, rowOffset - kWindowSize / 2);
    const int64_t count = std::min(kWindowSize, FSize - FWindowStart);
    FWindow.resize(static_cast<size_t>(std::max<int64_t>(count, 0)));
    if (count > 0) ReadFile(FWindowStart, FWindow.data(), count);
    ++FWindowLoads;
    FWindowBytes += count;
}

const uint8_t* TWorkingCopy::Span(int64_t offset, int64_t count) {
    if (offset < 0 || count < 0 || offset + count > FSize)
        throw EError("Working copy read outside its bytes");
    if (count == 0) return nullptr;
    const int64_t windowEnd = FWindowStart + static_cast<int64_t>(FWindow.size());
    if (FWindow.empty() || offset < FWindowStart || offset + count > windowEnd) {
        LoadWindow(offset);
        if (offset + count > FWindowStart + static_cast<int64_t>(FWindow.size()))
            throw EError("Working copy row larger than its window");
    }
    return FWindow.data() + (offset - FWindowStart);
}

uint8_t TWorkingCopy::ByteAt(int64_t offset) {
    return *Span(offset, 1);
}

void TWorkingCopy::WriteByte(int64_t offset, uint8_t value) {
    if (offset < 0 || offset >= FSize) throw EError("Working copy write outside its bytes");
    WriteFile(offset, &value, 1);
    const int64_t windowEnd = FWindowStart + static_cast<int64_t>(FWindow.size());
    if (offset >= FWindowStart && offset < windowEnd)
        FWindow[static_cast<size_t>(offset - FWindowStart)] = value;
}

void TWorkingCopy::Remove(int64_t offset, int64_t count) {
    if (offset < 0 || count <= 0 || offset + count > FSize) return;
    std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(FSize, 1 << 20)));
    for (int64_t from = offset + count; from < FSize;) {
        const int64_t n = std::min<int64_t>(static_cast<int64_t>(chunk.size()), FSize - from);
        ReadFile(from, chunk.data(), n);
        WriteFile(from - count, chunk.data(), n);
        from += n;
    }
    FSize -= count;
    if (::ftruncate(FFd, FSize) != 0) RaiseOSError(errno);
    FWindow.clear();
}

std::vector<uint8_t> TWorkingCopy::ReadAll() {
    std::vector<uint8_t> all(static_cast<size_t>(FSize));
    if (FSize > 0) ReadFile(0, all.data(), FSize);
    return all;
}

} // namespace morvane::hexview
