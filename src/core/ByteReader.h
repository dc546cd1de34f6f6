#pragma once
// The one place where numbers stored in a page are read: every offset and width is
// checked against the span here, so decoders never index raw arrays with file-supplied values.

#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace morvane {

class TByteReader {
  public:
    TByteReader(const uint8_t* data, size_t size) : FData(data), FSize(data ? size : 0) {}
    explicit TByteReader(const std::vector<uint8_t>& bytes) : TByteReader(bytes.data(), bytes.size()) {}

    size_t Size() const { return FSize; }
    // True when [offset, offset + width) lies inside the span; never overflows.
    bool Has(int64_t offset, int64_t width) const {
        return offset >= 0 && width >= 0 && static_cast<uint64_t>(offset) <= FSize &&
               static_cast<uint64_t>(width) <= FSize - static_cast<uint64_t>(offset);
    }

    uint8_t U8(int64_t off) const { return Get<uint8_t>(off); }
    uint16_t U16(int64_t off) const { return Get<uint16_t>(off); }
    int16_t I16(int64_t off) const { return static_cast<int16_t>(Get<uint16_t>(off)); }
    uint32_t U32(int64_t off) const { return Get<uint32_t>(off); }
    int32_t I32(int64_t off) const { return static_cast<int32_t>(Get<uint32_t>(off)); }

    // As above, but a value outside the span reads as def.
    template <typename T> T GetOr(int64_t off, T def) const {
        return Has(off, sizeof(T)) ? Get<T>(off) : def;
    }

    void Copy(int64_t off, void* out, int64_t count) const {
        Check(off, count);
        if (count > 0) std::memcpy(out, FData + off, static_cast<size_t>(count));
    }
    const uint8_t* At(int64_t off, int64_t count) const {
        Check(off, count);
        return FData + off;
    }

  private:
    void Check(int64_t off, int64_t width) const {
        if (!Has(off, width)) throw EStreamError("Stream read error");
    }
    template <typename T> T Get(int64_t off) const {
        Check(off, sizeof(T));
        T value = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            value |= static_cast<T>(T(FData[off + i]) << (8 * i));
        return value;
    }

    const uint8_t* FData;
    size_t FSize;
};

} // namespace morvane
