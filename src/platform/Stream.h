#pragma once
// A growable in-memory byte stream: page buffers, editors and the hex view move bytes through it.

#include <cstdint>
#include <vector>

namespace morvane {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TMemoryStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}

    // Reads up to count bytes from the position and returns how many were read.
    int64_t Read(void* buffer, int64_t count);
    // Writes count bytes at the position, growing the stream as needed.
    int64_t Write(const void* buffer, int64_t count);
    // As Read and Write, but anything short raises "Stream read error" / "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);

    int64_t Seek(int64_t offset, TSeekOrigin origin);
    int64_t Position() const { return FPosition; }
    void SetPosition(int64_t pos);
    int64_t Size() const { return static_cast<int64_t>(FData.size()); }
    // Resizes; new bytes are zero. The position is kept within the new size.
    void SetSize(int64_t size);
    void Clear();
    // Replaces the whole content from another stream, both positioned at 0 first.
    void LoadFrom(TMemoryStream& source);

    const uint8_t* Memory() const { return FData.data(); }
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }

  private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

} // namespace morvane
