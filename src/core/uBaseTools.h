#pragma once
// The open database file, its page buffers, the analyser that checks the header and
// classifies every page, and the page table with its filtered, sorted view.

#include "core/uODS.h"
#include "platform/FileIO.h"
#include "platform/Stream.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace morvane {

// Decodes the run-length packing of stored records. reader(i) gives stored byte i (it is
// asked for index n at most, when the last run lacks a byte); sink(b) takes each output byte.
void UnpackRLE(int32_t n, const std::function<uint8_t(int32_t)>& reader,
               const std::function<void(uint8_t)>& sink);

// One page of the page table; kept by value, 16 bytes.
struct TRecordEntry {
    int32_t PageNumber = 0;
    uint8_t Type = 0;
    uint8_t Flags = 0;
    int32_t Relation = -1;
    int32_t Sequence = -1;
};
static_assert(sizeof(TRecordEntry) == 16, "page table entries stay 16 bytes");

using TRecordList = std::vector<TRecordEntry>;

// Builds a page-table entry from a page's bytes (only the first 24 are looked at).
TRecordEntry MakeEntry(const uint8_t* page, size_t size);

class TMemTable {
  public:
    explicit TMemTable(size_t count = 0);

    void SetEntry(size_t index, TRecordEntry entry);
    // Grows the table to count entries, filling the new ones as pages added past the old end.
    void Extend(size_t count);
    void RebuildView();
    size_t VisibleCount() const;
    const TRecordEntry& VisibleEntry(size_t row) const { return FView[row]; }

    void ToggleTypeFilter(int code);
    void SetSortColumn(uint8_t column);
    void SetRelationFilter(int32_t relation);
    uint8_t SortColumn() const { return FSortColumn; }
    int32_t RelationFilter() const { return FRelationFilter; }
    const std::vector<std::string>& TypeFilter() const { return FTypeFilter; }

    size_t EntryCount() const { return FEntries.size(); }
    const TRecordEntry& Entry(size_t index) const { return FEntries[index]; }
    uint8_t EntryType(size_t index) const { return FEntries[index].Type; }
    int32_t CountRelationPages(int32_t relation) const;
    int32_t RelationPageAt(int32_t relation, int32_t i) const;
    int32_t TypeSequence(uint8_t type, int64_t pageIndex) const;

    size_t RelationCount() const { return FRelations.size(); }
    int32_t RelationAt(size_t i) const { return FRelations[i]; }
    // The relation list's own text: the id left-padded with "0" to 7 characters.
    std::string RelationString(size_t i) const;

  private:
    void SortView(int64_t lo, int64_t hi);
    bool Less(const TRecordEntry& a, const TRecordEntry& b) const;
    const std::vector<int32_t>& PagesOf(int32_t relation) const;

    TRecordList FEntries;
    TRecordList FView;
    std::vector<std::string> FTypeFilter;
    uint8_t FSortColumn = 0;
    int32_t FRelationFilter = -1;
    std::vector<int32_t> FRelations; // distinct, ascending
    mutable std::recursive_mutex FLock;
    // Pages of each relation in page order, built on demand and dropped when entries change.
    mutable std::unordered_map<int32_t, std::vector<int32_t>> FRelationPages;
};

using TProgressCallback = std::function<void(int minimum, int maximum, int position)>;
// Asked when the header is not recognised: the page size to use, or nothing to refuse.
using TPageSizeQuery = std::function<std::optional<int>()>;

class TAnalyser {
  public:
    TAnalyser(TOSFile& file, TProgressCallback progress, const TPageSizeQuery& askPageSize);

    uint16_t PageSize() const { return FPageSize; }
    uint16_t ODSVersion() const { return FODSVersion; }
    uint64_t PageCount() const { return FPageCount; }
    const std::array<uint8_t, 100>& HeaderBytes() const { return FHeader; }

    static const char* PageTypeName(unsigned type) { return morvane::PageTypeName(type); }
    void RescanPage(int32_t pageIndex);
    std::string GetCellText(int column, size_t row) const;

    size_t VisibleCount() const { return FTable->VisibleCount(); }
    void ToggleTypeFilter(int code) { FTable->ToggleTypeFilter(code); }
    void SetSortColumn(uint8_t column) { FTable->SetSortColumn(column); }
    void SetRelationFilter(int32_t relation) { FTable->SetRelationFilter(relation); }
    int32_t CountRelationPages(int32_t relation) const { return FTable->CountRelationPages(relation); }
    int32_t RelationPageAt(int32_t relation, int32_t i) const { return FTable->RelationPageAt(relation, i); }
    TMemTable& PageTable() { return *FTable; }
    const TMemTable& PageTable() const { return *FTable; }

    bool RebuildSuspended = false;

    // Reads one page at the 64-bit offset page × page size; bytes past the end read as zero.
    void ReadPage(int64_t page, uint8_t* out) const;

  private:
    void FullScan();

    TOSFile& FFile;
    std::array<uint8_t, 100> FHeader{};
    uint16_t FPageSize = 0;
    uint16_t FODSVersion = 0;
    uint64_t FPageCount = 0;
    TProgressCallback FProgress;
    std::unique_ptr<TMemTable> FTable;
};

class TPageFile;

class TBaseFile {
  public:
    TBaseFile() = default;
    ~TBaseFile();
    TBaseFile(const TBaseFile&) = delete;
    TBaseFile& operator=(const TBaseFile&) = delete;

    // Returns the analyser, or nullptr when no file of that name exists.
    TAnalyser* Open(const std::string& fileName, TProgressCallback progress = {},
                    const TPageSizeQuery& askPageSize = {});
    bool Close(bool save);
    bool IsOpen() const { return FOpen; }
    TAnalyser* Analyser() const { return FAnalyser.get(); }
    const std::string& FileName() const { return FFileName; }

    // The existing buffer of page n, or a new one read from the file. The caller that
    // receives a new buffer owns it.
    TPageFile* GetPageBuffer(int64_t n);
    // The buffer of page n if one exists, else nullptr.
    TPageFile* FindBuffer(int64_t n) const;
    void WriteAll();
    void RemoveBuffer(TPageFile* buffer);
    void CopyPage(int64_t target, int64_t source);
    const std::vector<TPageFile*>& Buffers() const { return FBuffers; }

    TOSFile& Handle() { return FFile; }

    // Opens the next file for reading only: for inspection that must not be able to write.
    bool ReadOnly = false;
    // Asked by the destructor when a file is still open: true saves the remaining buffers.
    std::function<bool()> AskSaveOnDestroy;

  private:
    friend class TPageFile;
    void AddBuffer(TPageFile* buffer) { FBuffers.push_back(buffer); }

    std::string FFileName;
    bool FOpen = false;
    TOSFile FFile;
    std::vector<TPageFile*> FBuffers;
    std::unique_ptr<TAnalyser> FAnalyser;
};

class TPageFile {
  public:
    TPageFile(TBaseFile& owner, int64_t pageNumber);
    ~TPageFile();
    TPageFile(const TPageFile&) = delete;
    TPageFile& operator=(const TPageFile&) = delete;

    int64_t PageNumber() const { return FPageNumber; }
    int32_t PageSize() const { return FPageSize; }
    TMemoryStream& Data() { return FData; }
    const TPageHeader& PageHeader() const { return FPageHeader; }

    void WritePage();
    TPageTypeCode PageTypeCode() const { return morvane::PageTypeCode(FPageHeader.pag_type); }
    std::string PageCaption() const;

  private:
    TBaseFile& FOwner;
    int64_t FPageNumber;
    int32_t FPageSize;
    TMemoryStream FData;
    TPageHeader FPageHeader;
};

} // namespace morvane
