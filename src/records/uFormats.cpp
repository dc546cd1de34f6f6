#include "records/uFormats.h"

#include "core/ByteReader.h"
#include "pages/DataPage.h"
#include "platform/Errors.h"
#include "records/uRLE.h"

#include <cmath>

namespace morvane {

TFieldFormat::TFieldFormat(TBaseFile& file, int32_t relation)
    : FFile(file), FRelation(relation), FPageSize(file.Analyser() ? file.Analyser()->PageSize() : 0) {
    if (!file.Analyser()) throw EError("No database is open.");
    FCountedDescriptors = HasFirebird3Layout(file.Analyser()->ODSVersion());
    LoadFormats();
    LoadDescriptors();
}

int32_t TFieldFormat::RecordsPerPage(int pageSize) {
    return static_cast<int32_t>(std::lround((pageSize - 36) / 17.0));
}

int16_t TFieldFormat::FormatNumber(size_t format) const {
    return TByteReader(FEntries.at(format).data(), 12).I16(2);
}

std::vector<uint8_t> TFieldFormat::ReadPage(int32_t page) const {
    std::vector<uint8_t> bytes(static_cast<size_t>(FPageSize));
    FFile.Analyser()->ReadPage(page, bytes.data());
    return bytes;
}

void TFieldFormat::LoadFormats() {
    const TMemTable& table = FFile.Analyser()->PageTable();
    const int32_t count = table.CountRelationPages(kFormatRelation);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t pageNumber = table.RelationPageAt(kFormatRelation, i);
        const std::vector<uint8_t> page = ReadPage(pageNumber);
        const TByteReader r(page);
        TScannedPage scanned{pageNumber, {}};
        r.Copy(0, scanned.Header.data(), 24);
        FPages.push_back(scanned);
        const uint16_t slots = r.U16(22);
        for (int32_t j = 0; j < slots; ++j) {
            if (!r.Has(24 + 4 * int64_t(j), 4)) break;
            const uint16_t offset = r.U16(24 + 4 * j);
            const uint16_t length = r.U16(26 + 4 * j);
            if (offset == 0 || length == 0) continue;
            if (!r.Has(offset, length) || length < kRecordHeaderSize) continue;
            if (r.U16(offset + 10) & rhd_blob) continue; // descriptor blobs are no format records
            TRLERecord rle;
            rle.AllocPacked(length - kRecordHeaderSize);
            r.Copy(offset + kRecordHeaderSize, rle.Packed(), length - kRecordHeaderSize);
            rle.Unpack();
            if (rle.UnpackedLength() < 16) continue;
            if (rle.ReadInt16(4) != FRelation) continue;
            std::array<uint8_t, 12> entry{};
            std::copy_n(rle.Unpacked() + 4, 12, entry.begin());
            FEntries.push_back(entry);
        }
    }
}

// A format whose descriptor blob cannot be found or read keeps an empty descriptor list.
void TFieldFormat::LoadDescriptors() {
    const int32_t perPage = RecordsPerPage(FPageSize);
    for (const auto& entry : FEntries) {
        std::vector<TFieldDescriptor> descriptors;
        const uint32_t record = TByteReader(entry.data(), entry.size()).U32(8);
        if (perPage > 0) {
            const int64_t sequence = record / perPage;
            const int64_t line = record - sequence * perPage;
            for (const TScannedPage& scanned : FPages) {
                if (TByteReader(scanned.Header.data(), 24).I32(16) != sequence) continue;
                const std::vector<uint8_t> page = ReadPage(scanned.Page);
                const TByteReader r(page);
                const int64_t slotAt = 24 + 4 * line;
                if (!r.Has(slotAt, 4)) break;
                const uint16_t offset = r.U16(slotAt);
                const uint16_t length = r.U16(slotAt + 2);
                // An empty slot, or a record that is no blob, holds no descriptors.
                if (offset == 0 || length == 0 || !r.Has(offset + 20, 4)) break;
                if (!(r.U16(offset + 10) & rhd_blob)) break;
                const uint32_t dataLength = r.U32(offset + 20);
                int64_t first = offset + 30;
                size_t n = dataLength / 12;
                // From Firebird's ODS 12 on, the descriptors follow a 2-byte field count.
                if (FCountedDescriptors && dataLength >= 2 && r.Has(offset + 30, 2)) {
                    first = offset + 32;
                    n = std::min<size_t>(r.U16(offset + 30), (dataLength - 2) / 12);
                }
                n = std::min(n, kMaxDescriptors);
                for (size_t k = 0; k < n && r.Has(first + 12 * int64_t(k), 12); ++k) {
                    TFieldDescriptor d{};
                    r.Copy(first + 12 * int64_t(k), d.data(), 12);
                    descriptors.push_back(d);
                }
                break;
            }
        }
        FDescriptors.push_back(std::move(descriptors));
    }
}

} // namespace morvane
