#pragma once
// The hex view's working copy: the bytes live in a private temporary file and are read
// through a 64 KiB window, so content of any size costs little memory.

#include <cstdint>
#include <vector>

namespace morvane {
class TMemoryStream;
}

namespace morvane::hexview {

class TWorkingCopy {
  public:
    static constexpr int64_t kWindowSize = 65536;

    TWorkingCopy() = default;
    ~TWorkingCopy();
    TWorkingCopy(const TWorkingCopy&) = delete;
    TWorkingCopy& operator=(const TWorkingCopy&) = delete;

    int64_t Size() const { return FSize; }
    // Replaces the content. Creating or writing the file raises the system's error.
    void Assign(const uint8_t* bytes, int64_t count);
    uint8_t ByteAt(int64_t offset);
    // Makes [offset, offset + count) readable from the window and returns its start.
    const uint8_t* Span(int64_t offset, int64_t count);
    void WriteByte(int64_t offset, uint8_t value);
    // Removes count bytes at offset; the bytes after them move down.
    void Remove(int64_t offset, int64_t count);
    // Reads the whole content; raises on failure.
    std::vector<uint8_t> ReadAll();

    // How often the window was filled from the file, and how many bytes that read.
    int64_t WindowLoads() const { return FWindowLoads; }
    int64_t WindowBytesRead() const { return FWindowBytes; }
    void ResetCounters() { FWindowLoads = FWindowBytes = 0; }
    bool HasFile() const { return FFd >= 0; }

  private:
    void EnsureFile();
    void LoadWindow(int64_t rowOffset);
    void ReadFile(int64_t offset, uint8_t* out, int64_t count) const;
    void WriteFile(int64_t offset, const uint8_t* in, int64_t count);

    int FFd = -1;
    int64_t FSize = 0;
    std::vector<uint8_t> FWindow;
    int64_t FWindowStart = 0;
    int64_t FWindowLoads = 0;
    int64_t FWindowBytes = 0;
};

} // namespace morvane::hexview
