#include "core/uBaseTools.h"

#include "core/ByteReader.h"
#include "platform/Errors.h"

#include <algorithm>
#include <limits>

namespace morvane {

namespace {

const char* const kNotValidDatabase = "It seems that file is not valid database!";

// The 64-bit file offset of a page; a number that cannot name a page is refused before any I/O.
int64_t PageOffset(int64_t page, int64_t pageSize) {
    if (page < 0 || pageSize <= 0 || page > std::numeric_limits<int64_t>::max() / pageSize)
        throw EError(Format("Page %lld is outside the file.", static_cast<long long>(page)));
    return page * pageSize;
}

bool IsKnownPageSize(unsigned size) {
    return size == 1024 || size == 2048 || size == 4096 || size == 8192 || size == 16384;
}

} // namespace

// ---------------------------------------------------------------------------------------------
void UnpackRLE(int32_t n, const std::function<uint8_t(int32_t)>& reader,
               const std::function<void(uint8_t)>& sink) {
    int32_t index = 0;
    while (index < n) {
        const uint8_t control = reader(index++);
        if (control >= 0x80) {
            const uint8_t value = reader(index++);
            for (int k = 0; k < 256 - control; ++k)
                sink(value);
        } else {
            // A literal run cut short by the end of the image may take index n (the
            // zero after the stored bytes), never more.
            for (int k = 0; k < control && index <= n; ++k)
                sink(reader(index++));
        }
    }
}

// ---------------------------------------------------------------------------------------------
TRecordEntry MakeEntry(const uint8_t* page, size_t size) {
    const TByteReader r(page, size);
    TRecordEntry e;
    e.Type = r.GetOr<uint8_t>(0, 0);
    e.Flags = r.GetOr<uint8_t>(1, 0);
    if (e.Type == ptData) {
        e.Relation = r.GetOr<uint16_t>(20, 0);
        e.Sequence = static_cast<int32_t>(r.GetOr<uint32_t>(16, 0));
    } else if (e.Type == ptIndexRoot) {
        e.Relation = r.GetOr<uint16_t>(16, 0);
    }
    return e;
}

TMemTable::TMemTable(size_t count) : FEntries(count) {
    for (size_t i = 0; i < count; ++i)
        FEntries[i] = TRecordEntry{static_cast<int32_t>(i), 0, 0, -1, -1};
    for (int code = 0; code <= 10; ++code)
        FTypeFilter.push_back(std::to_string(code));
}

void TMemTable::SetEntry(size_t index, TRecordEntry entry) {
    if (index >= FEntries.size()) throw EError(Format("Page %zu is outside the page table.", index));
    entry.PageNumber = static_cast<int32_t>(index);
    FEntries[index] = entry;
    FRelationPages.clear();
}

void TMemTable::Extend(size_t count) {
    if (count > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw EError("The page table cannot hold that many pages.");
    for (size_t i = FEntries.size(); i < count; ++i)
        FEntries.push_back(TRecordEntry{static_cast<int32_t>(i), kAddedPageType, 0, -1, -1});
    FRelationPages.clear();
}

bool TMemTable::Less(const TRecordEntry& a, const TRecordEntry& b) const {
    switch (FSortColumn) {
    case 1:
        return a.Type < b.Type;
    case 2:
        return a.Flags < b.Flags;
    default:
        return a.PageNumber < b.PageNumber;
    }
}

// Hoare's partition around the middle entry; not stable. Recursing into the smaller part
// and looping over the larger keeps the stack shallow without changing the result.
void TMemTable::SortView(int64_t lo, int64_t hi) {
    while (lo < hi) {
        int64_t i = lo, j = hi;
        const TRecordEntry pivot = FView[static_cast<size_t>((lo + hi) / 2)];
        do {
            while (Less(FView[i], pivot))
                ++i;
            while (Less(pivot, FView[j]))
                --j;
            if (i <= j) {
                std::swap(FView[i], FView[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - lo < hi - i) {
            if (lo < j) SortView(lo, j);
            lo = i;
        } else {
            if (i < hi) SortView(i, hi);
            hi = j;
        }
    }
}

void TMemTable::RebuildView() {
    std::lock_guard<std::recursive_mutex> guard(FLock);
    auto contains = [this](const std::string& s) {
        return std::find(FTypeFilter.begin(), FTypeFilter.end(), s) != FTypeFilter.end();
    };
    std::array<bool, 256> shown{};
    const bool undefinedShown = contains("0");
    for (int b = 0; b < 256; ++b)
        shown[b] = contains(std::to_string(b)) || (undefinedShown && (b == 0 || b > 10));

    FView.clear();
    std::vector<bool> seen(65536, false);
    for (const TRecordEntry& e : FEntries) {
        if (FRelationFilter != -1) {
            if (e.Type == ptData && e.Relation == FRelationFilter) FView.push_back(e);
        } else if (shown[e.Type]) {
            FView.push_back(e);
        }
        if (e.Type == ptData && e.Relation >= 0 && e.Relation < 65536) seen[e.Relation] = true;
    }
    FRelations.clear();
    for (int32_t r = 0; r < 65536; ++r)
        if (seen[r]) FRelations.push_back(r);
    if (VisibleCount() > 1) SortView(0, static_cast<int64_t>(VisibleCount()) - 1);
}

size_t TMemTable::VisibleCount() const {
    std::lock_guard<std::recursive_mutex> guard(FLock);
    return FView.size();
}

void TMemTable::ToggleTypeFilter(int code) {
    const auto before = FTypeFilter.size();
    // Filter strings are only ever decimal codes, so comparing texts compares values.
    FTypeFilter.erase(std::remove(FTypeFilter.begin(), FTypeFilter.end(), std::to_string(code)),
                      FTypeFilter.end());
    if (FTypeFilter.size() == before) FTypeFilter.push_back(std::to_string(code));
    RebuildView();
}

void TMemTable::SetSortColumn(uint8_t column) {
    FSortColumn = column;
    RebuildView();
}

void TMemTable::SetRelationFilter(int32_t relation) {
    FRelationFilter = relation;
    RebuildView();
}

const std::vector<int32_t>& TMemTable::PagesOf(int32_t relation) const {
    static const std::vector<int32_t> kNone;
    if (FRelationPages.empty()) {
        for (const TRecordEntry& e : FEntries)
            if (e.Relation != -1) FRelationPages[e.Relation].push_back(e.PageNumber);
        FRelationPages.emplace(-1, std::vector<int32_t>{}); // marks the cache as built
    }
    const auto it = FRelationPages.find(relation);
    return (it == FRelationPages.end() || relation == -1) ? kNone : it->second;
}

int32_t TMemTable::CountRelationPages(int32_t relation) const {
    return static_cast<int32_t>(PagesOf(relation).size());
}

int32_t TMemTable::RelationPageAt(int32_t relation, int32_t i) const {
    const auto& pages = PagesOf(relation);
    return (i >= 0 && static_cast<size_t>(i) < pages.size()) ? pages[i] : 0;
}

int32_t TMemTable::TypeSequence(uint8_t type, int64_t pageIndex) const {
    if (pageIndex < 0) return 0;
    const size_t last = std::min<size_t>(static_cast<size_t>(pageIndex) + 1, FEntries.size());
    int32_t count = 0;
    for (size_t i = 0; i < last; ++i)
        if (FEntries[i].Type == type) ++count;
    return count;
}

std::string TMemTable::RelationString(size_t i) const {
    std::string s = std::to_string(FRelations[i]);
    return std::string(s.size() < 7 ? 7 - s.size() : 0, '0') + s;
}

// ---------------------------------------------------------------------------------------------
TAnalyser::TAnalyser(TOSFile& file, TProgressCallback progress, const TPageSizeQuery& askPageSize)
    : FFile(file), FProgress(std::move(progress)) {
    FFile.ReadAt(0, FHeader.data(), static_cast<int64_t>(FHeader.size()));
    const TByteReader header(FHeader.data(), FHeader.size());
    FPageSize = header.U16(16);
    FODSVersion = header.U16(18);

    bool accepted;
    if (FODSVersion >= 6 && FODSVersion <= 11)
        accepted = FPageSize != 0; // a zero page size cannot describe any page
    else if (IsKnownPageSize(FPageSize))
        accepted = true;
    else {
        const std::optional<int> chosen = askPageSize ? askPageSize() : std::nullopt;
        accepted = chosen && *chosen > 0 && *chosen <= 0xFFFF;
        if (accepted) FPageSize = static_cast<uint16_t>(*chosen);
    }
    if (!accepted) throw EError(kNotValidDatabase);

    FPageCount = static_cast<uint64_t>(FFile.Size()) / FPageSize;
    if (FPageCount > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        throw EError(Format("The file holds %llu pages of %u bytes, more than a page table can number.",
                            static_cast<unsigned long long>(FPageCount), FPageSize));
    FullScan();
    FProgress = nullptr;
}

void TAnalyser::FullScan() {
    auto table = std::make_unique<TMemTable>(static_cast<size_t>(FPageCount));
    // Pages are read sequentially in runs of 64 KiB into one reused buffer: small enough to stay
    // in the processor cache, which makes the copy out of the page cache several times faster.
    const int64_t pageSize = FPageSize;
    const int64_t pagesPerRun = std::max<int64_t>(1, (int64_t(1) << 16) / pageSize);
    std::vector<uint8_t> run(static_cast<size_t>(pagesPerRun * pageSize));
    const auto count = static_cast<int64_t>(FPageCount);
    for (int64_t first = 0; first < count; first += pagesPerRun) {
        const int64_t pages = std::min(pagesPerRun, count - first);
        bool loaded = false;
        for (int64_t k = 0; k < pages; ++k) {
            const int64_t i = first + k;
            if (FProgress) FProgress(0, 100, static_cast<int>((i + 1) * 100 / count));
            if (!loaded) {
                const int64_t want = pages * pageSize;
                const int64_t got = FFile.ReadAt(first * pageSize, run.data(), want);
                // The file may have shrunk since its size was taken: missing bytes read as zero.
                std::fill(run.begin() + got, run.begin() + want, uint8_t(0));
                loaded = true;
            }
            table->SetEntry(static_cast<size_t>(i),
                            MakeEntry(run.data() + k * pageSize, static_cast<size_t>(pageSize)));
        }
    }
    table->RebuildView();
    FTable = std::move(table);
}

void TAnalyser::ReadPage(int64_t page, uint8_t* out) const {
    const int64_t got = FFile.ReadAt(PageOffset(page, FPageSize), out, FPageSize);
    std::fill(out + got, out + FPageSize, uint8_t(0));
}

void TAnalyser::RescanPage(int32_t pageIndex) {
    std::vector<uint8_t> page(FPageSize);
    ReadPage(pageIndex, page.data());
    FTable->SetEntry(static_cast<size_t>(pageIndex), MakeEntry(page.data(), page.size()));
    if (!RebuildSuspended) FTable->RebuildView();
}

std::string TAnalyser::GetCellText(int column, size_t row) const {
    if (row >= FTable->VisibleCount()) return {};
    const TRecordEntry& e = FTable->VisibleEntry(row);
    switch (column) {
    case 0:
        return std::to_string(e.PageNumber);
    case 1:
        return morvane::PageTypeName(e.Type);
    case 2:
        return std::to_string(e.Flags);
    default:
        return {};
    }
}

// ---------------------------------------------------------------------------------------------
TBaseFile::~TBaseFile() {
    if (!FOpen) return;
    try {
        Close(AskSaveOnDestroy ? AskSaveOnDestroy() : false);
    } catch (...) {
        // Nothing can be reported from here; the file handle closes with the object.
    }
}

TAnalyser* TBaseFile::Open(const std::string& fileName, TProgressCallback progress,
                           const TPageSizeQuery& askPageSize) {
    if (!FileExists(fileName)) return nullptr;
    FFileName = fileName;
    if (FOpen) Close(true);
    try {
        FFile.Open(fileName, ReadOnly);
        FAnalyser = std::make_unique<TAnalyser>(FFile, std::move(progress), askPageSize);
    } catch (...) {
        FAnalyser.reset();
        try {
            FFile.Close();
        } catch (...) {
        }
        throw;
    }
    FOpen = true;
    return FAnalyser.get();
}

bool TBaseFile::Close(bool save) {
    if (!FOpen) return false;
    FOpen = false;
    std::exception_ptr firstError;
    while (!FBuffers.empty()) {
        TPageFile* buffer = FBuffers.front();
        if (save) {
            try {
                buffer->WritePage();
            } catch (...) {
                if (!firstError) firstError = std::current_exception();
            }
        }
        delete buffer; // removes itself from the list
    }
    FAnalyser.reset();
    try {
        FFile.Close();
    } catch (...) {
        if (!firstError) firstError = std::current_exception();
    }
    if (firstError) std::rethrow_exception(firstError);
    return true;
}

TPageFile* TBaseFile::FindBuffer(int64_t n) const {
    for (TPageFile* b : FBuffers)
        if (b->PageNumber() == n) return b;
    return nullptr;
}

TPageFile* TBaseFile::GetPageBuffer(int64_t n) {
    if (TPageFile* existing = FindBuffer(n)) return existing;
    return new TPageFile(*this, n); // registers itself
}

void TBaseFile::WriteAll() {
    if (!FOpen) return;
    // Copy: a failed write must not leave us iterating a list that changed.
    const std::vector<TPageFile*> buffers = FBuffers;
    for (TPageFile* b : buffers)
        b->WritePage();
}

void TBaseFile::RemoveBuffer(TPageFile* buffer) {
    FBuffers.erase(std::remove(FBuffers.begin(), FBuffers.end(), buffer), FBuffers.end());
}

void TBaseFile::CopyPage(int64_t target, int64_t source) {
    if (!FOpen || !FAnalyser) throw EError("No database is open.");
    TMemTable& table = FAnalyser->PageTable();
    const int64_t pageSize = FAnalyser->PageSize();
    if (target < 0 || target >= std::numeric_limits<int32_t>::max())
        throw EError(Format("Page %lld cannot be a copy target.", static_cast<long long>(target)));

    // Settle the source bytes before anything changes: a page that is not open is read from
    // the file, and one that lies wholly past the end of the file has no bytes to copy.
    std::unique_ptr<TPageFile> ownSource;
    TPageFile* src = FindBuffer(source);
    if (!src) {
        if (source < 0 || PageOffset(source, pageSize) >= FFile.Size())
            throw EError(Format("Source page %lld lies beyond the end of the file; nothing was copied.",
                                static_cast<long long>(source)));
        ownSource.reset(new TPageFile(*this, source));
        src = ownSource.get();
    }

    const auto oldCount = static_cast<int64_t>(table.EntryCount());
    if (target >= oldCount) table.Extend(static_cast<size_t>(target) + 1);

    std::unique_ptr<TPageFile> ownTarget;
    TPageFile* dst = FindBuffer(target);
    if (!dst) {
        ownTarget.reset(new TPageFile(*this, target));
        dst = ownTarget.get();
    }
    if (dst != src) dst->Data().LoadFrom(src->Data());
    dst->WritePage();
    ownTarget.reset();
    ownSource.reset();

    if (target >= oldCount) {
        std::vector<uint8_t> page(static_cast<size_t>(pageSize));
        for (int64_t p = oldCount; p <= target; ++p) {
            FAnalyser->ReadPage(p, page.data());
            table.SetEntry(static_cast<size_t>(p), MakeEntry(page.data(), page.size()));
        }
    }
    table.RebuildView();
}

// ---------------------------------------------------------------------------------------------
TPageFile::TPageFile(TBaseFile& owner, int64_t pageNumber)
    : FOwner(owner), FPageNumber(pageNumber), FPageSize(owner.Analyser() ? owner.Analyser()->PageSize() : 0) {
    if (!owner.Analyser()) throw EError("No database is open.");
    FData.SetSize(FPageSize);
    // Bytes past the end of the file stay zero.
    FOwner.Handle().ReadAt(PageOffset(pageNumber, FPageSize), FData.Memory(), FPageSize);
    FPageHeader = TPageHeader::Decode(FData.Memory(), static_cast<size_t>(FData.Size()));
    FOwner.AddBuffer(this);
}

TPageFile::~TPageFile() {
    FOwner.RemoveBuffer(this);
}

void TPageFile::WritePage() {
    TAnalyser* analyser = FOwner.Analyser();
    if (!analyser) throw EError("No database is open.");
    std::vector<uint8_t> bytes(static_cast<size_t>(FPageSize), 0);
    std::copy_n(FData.Memory(), std::min<int64_t>(FData.Size(), FPageSize), bytes.begin());
    FOwner.Handle().WriteAt(PageOffset(FPageNumber, FPageSize), bytes.data(), FPageSize);
    FOwner.Handle().Flush();
    if (FPageNumber < static_cast<int64_t>(analyser->PageTable().EntryCount()))
        analyser->RescanPage(static_cast<int32_t>(FPageNumber));
}

std::string TPageFile::PageCaption() const {
    return std::string(" ") + morvane::PageTypeName(FPageHeader.pag_type) + " #" +
           std::to_string(FPageNumber) + " ";
}

} // namespace morvane
