#pragma once
// Writes small synthetic database files page by page, so each test builds the smallest
// file that shows its point.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::test {

using Bytes = std::vector<uint8_t>;

// A fresh directory under the system's temporary directory, removed with the object.
class TTempDir {
  public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    const std::filesystem::path& Path() const { return FPath; }

  private:
    std::filesystem::path FPath;
};

// The run-length packing the engine uses for stored records (tests only decode it).
Bytes Pack(const Bytes& raw);

struct TRecordSpec {
    Bytes Stored;       // the bytes after the record header, as stored
    uint16_t Flags = 0; // record header flags (offset 10)
    int32_t Transaction = 0;
    bool Empty = false;  // an empty slot (offset 0, length 0)
    int HeaderSize = 13; // 13 record, 24 fragment, 30 blob
};

class TDbBuilder {
  public:
    explicit TDbBuilder(int pageSize = 4096, uint16_t ods = 10);

    int PageSize() const { return FPageSize; }
    Bytes& Page(int n);
    int PageCount() const { return static_cast<int>(FPages.size()); }

    TDbBuilder& Header(uint16_t storedPageSize, uint16_t ods);
    TDbBuilder& Typed(int n, uint8_t type, uint8_t flags = 0);
    TDbBuilder& Data(int n, uint16_t relation, int32_t sequence, const std::vector<TRecordSpec>& records);
    TDbBuilder& IndexRoot(int n, uint16_t relation);
    TDbBuilder& Put16(int n, int offset, uint16_t v);
    TDbBuilder& Put32(int n, int offset, uint32_t v);

    // Writes all pages, then extra bytes of a partial page.
    std::string Write(const std::string& path, size_t trailingBytes = 0) const;

  private:
    int FPageSize;
    std::vector<Bytes> FPages;
};

Bytes ReadFileBytes(const std::string& path);

} // namespace morvane::test
