#pragma once
// 64-bit positional file I/O. Every failure raises "System Error.  Code: %d.\r\n%s".
// No locks are taken: a running server may keep the same file open.

#include <cstdint>
#include <string>

namespace morvane {

bool FileExists(const std::string& path);

class TOSFile {
  public:
    TOSFile() = default;
    ~TOSFile();
    TOSFile(const TOSFile&) = delete;
    TOSFile& operator=(const TOSFile&) = delete;

    // Opens for reading and writing; readOnly opens for reading alone.
    void Open(const std::string& path, bool readOnly = false);
    void Close();
    bool IsOpen() const { return FFd >= 0; }

    // Reads up to count bytes at offset; fewer only at the end of the file.
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) const;
    // Writes all count bytes at offset.
    void WriteAt(int64_t offset, const void* buffer, int64_t count);
    int64_t Size() const;
    // Makes written bytes durable before a save is reported done.
    void Flush();

  private:
    int FFd = -1;
};

} // namespace morvane
