#include "platform/Stream.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cstring>

namespace morvane {

namespace {
// A stream never grows past this: no page or record view needs more, and a
// corrupt length must not turn into an attempt to allocate gigabytes.
constexpr int64_t kMaxStreamSize = int64_t(1) << 32;
} // namespace

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= Size()) return 0;
    const int64_t n = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0 || FPosition < 0) return 0;
    const int64_t end = FPosition + count;
    if (end > kMaxStreamSize) return 0;
    if (end > Size()) FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

void TMemoryStream::ReadBuffer(void* buffer, int64_t count) {
    if (count < 0) throw EStreamError("Stream read error");
    if (count == 0) return;
    if (FPosition < 0 || FPosition > Size() || Size() - FPosition < count)
        throw EStreamError("Stream read error");
    Read(buffer, count);
}

void TMemoryStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count < 0) throw EStreamError("Stream write error");
    if (count == 0) return;
    if (Write(buffer, count) != count) throw EStreamError("Stream write error");
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case TSeekOrigin::soBeginning:
        FPosition = offset;
        break;
    case TSeekOrigin::soCurrent:
        FPosition += offset;
        break;
    case TSeekOrigin::soEnd:
        FPosition = Size() + offset;
        break;
    }
    return FPosition;
}

void TMemoryStream::SetPosition(int64_t pos) {
    FPosition = pos;
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0 || size > kMaxStreamSize) throw EStreamError("Stream write error");
    FData.resize(static_cast<size_t>(size));
    if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFrom(TMemoryStream& source) {
    if (&source == this) {
        FPosition = 0;
        return;
    }
    FData = source.FData;
    source.FPosition = 0;
    FPosition = 0;
}

} // namespace morvane
