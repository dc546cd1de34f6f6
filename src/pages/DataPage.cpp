#include "pages/DataPage.h"

#include "core/ByteReader.h"
#include "platform/Errors.h"
#include "records/uRLE.h"

#include <cstring>

namespace morvane {

const std::array<const char*, 10> kRecordFlagCaptions = {
    "logically deleted", "old version", "fragment", "incomplete", "blob",
    "stream blob",       "diff only",   "large",    "damaged",    "Dead rec"};
const std::array<const char*, 10> kRecordFlagNames = {
    "CBrhd_deleted",     "CBrhd_chain", "CBrhd_fragment", "CBrhd_incomplete", "CBrhd_blob",
    "CBrhd_stream_blob", "CBrhd_delta", "CBrhd_large",    "CBrhd_damaged",    "CBrhd_gc_active"};

const char* RecordKindLabel(unsigned kind) {
    switch (kind) {
    case rkRecord:
        return "Record";
    case rkFragment:
        return "Record fragment";
    case rkBlob:
        return "Record blob";
    default:
        return "";
    }
}

uint16_t TRecordImage::Flags() const {
    // A blob record's flags come from its blob header, whose first 13 bytes are the record header.
    return static_cast<uint16_t>(Header.at(10) | (Header.at(11) << 8));
}

int32_t TRecordImage::Transaction() const {
    if (Kind == rkBlob) return 0;
    return TByteReader(Header).I32(0);
}

namespace {
std::vector<uint8_t> ReadAt(TMemoryStream& page, int64_t offset, int64_t count) {
    if (count < 0) throw EStreamError("Stream read error");
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    page.Seek(offset, TSeekOrigin::soBeginning);
    page.ReadBuffer(bytes.data(), count);
    return bytes;
}
} // namespace

TRecordImage ReadRecordImage(TMemoryStream& page, int64_t offset, int64_t length) {
    TRecordImage image;
    image.Header = ReadAt(page, offset, kRecordHeaderSize);
    std::memcpy(image.RecordHeader.data(), image.Header.data(), kRecordHeaderSize);
    const uint16_t flags = image.Flags();
    int64_t dataOffset = offset + kRecordHeaderSize;
    if (flags & rhd_incomplete) {
        image.Header = ReadAt(page, offset, 24);
        image.Kind = rkFragment;
        dataOffset = offset + 24;
    }
    if (flags & rhd_blob) {
        image.Header = ReadAt(page, offset, 32);
        image.Kind = rkBlob;
        dataOffset = offset + 30;
    }
    image.Data = ReadAt(page, dataOffset, length - kKindHeaderSize[image.Kind]);
    return image;
}

void WriteDataPageSequence(TMemoryStream& page, int32_t sequence) {
    const auto value = static_cast<uint32_t>(sequence);
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    page.Seek(16, TSeekOrigin::soBeginning);
    page.WriteBuffer(bytes, 4);
}

TDataPageContent LoadDataPage(TMemoryStream& page) {
    TDataPageContent c;
    try {
        page.Seek(0, TSeekOrigin::soBeginning);
        page.ReadBuffer(c.Header.Raw.data(), 24);
        const TByteReader r(c.Header.Raw.data(), c.Header.Raw.size());
        c.Header.Common = TPageHeader::Decode(c.Header.Raw.data(), 16);
        c.Header.dpg_sequence = r.I32(16);
        c.Header.dpg_relation = r.U16(20);
        c.Header.dp_rec_count = r.U16(22);
        c.HeaderRead = true;
        // The whole slot array is read before anything is listed: one that runs off the
        // page lists nothing.
        const std::vector<uint8_t> slots = ReadAt(page, 24, 4 * int64_t(c.Header.dp_rec_count));
        const TByteReader s(slots);
        std::vector<TSlot> all(c.Header.dp_rec_count);
        for (size_t j = 0; j < all.size(); ++j)
            all[j] = TSlot{s.U16(static_cast<int64_t>(4 * j)), s.U16(static_cast<int64_t>(4 * j + 2))};
        for (const TSlot& slot : all) {
            c.Slots.push_back(slot);
            if (slot.Empty()) continue;
            const TRecordImage image = ReadRecordImage(page, slot.Offset, slot.Length);
            IBRec rec;
            rec.RecordKind = image.Kind;
            rec.RecordHeader = image.RecordHeader;
            rec.Body = image.Data;
            rec.SlotLength = slot.Length;
            c.Records.push_back(std::move(rec));
        }
        c.Complete = true;
    } catch (const EError&) {
        // Loaders stop quietly at the first unreadable field.
    }
    return c;
}

TRecordBytes RecordBytes(const TRecordImage& image) {
    TRecordBytes bytes;
    if (image.Kind == rkBlob) {
        bytes.Packed = bytes.Unpacked = image.Data;
        return bytes;
    }
    TRLERecord rle;
    rle.AllocPacked(static_cast<int32_t>(image.Data.size()));
    std::copy(image.Data.begin(), image.Data.end(), rle.Packed());
    rle.Unpack();
    bytes.Packed = image.Data;
    bytes.Unpacked = rle.UnpackedBytes();
    return bytes;
}

} // namespace morvane
