#include "core/uODS.h"

#include "core/ByteReader.h"

namespace morvane {

TPageHeader TPageHeader::Decode(const uint8_t* bytes, size_t size) {
    std::array<uint8_t, kPageHeaderSize> raw{};
    for (size_t i = 0; i < raw.size() && i < size; ++i)
        raw[i] = bytes[i];
    const TByteReader r(raw.data(), raw.size());
    TPageHeader h;
    h.pag_type = r.U8(0);
    h.pag_flags = r.U8(1);
    h.pag_checksum = r.U16(2);
    h.pag_generation = r.I32(4);
    h.pag_seqno = r.I32(8);
    h.pag_offset = r.I32(12);
    return h;
}

TPageTypeCode PageTypeCode(unsigned typeByte) {
    return (typeByte >= 1 && typeByte <= 10) ? static_cast<TPageTypeCode>(typeByte) : ptUndefined;
}

const char* PageTypeName(unsigned typeOrCode) {
    static const char* const kNames[] = {
        "Undefined types",
        "Database header page",
        "Page inventory page",
        "Transaction inventory page",
        "Pointer page",
        "Data page",
        "Index root page",
        "Index (B-tree) page",
        "Blob data page",
        "Gen-ids",
        "Write ahead log information",
    };
    return kNames[PageTypeCode(typeOrCode)];
}

TFlagBits DecodeFlagBits(uint16_t flags) {
    TFlagBits bits{};
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = (flags & (1u << i)) != 0;
    return bits;
}

const std::array<THeaderFieldText, 6> kCommonHeaderFields = {{
    {"Page Type", "hdr_headerpag_type"},
    {"Page Flags", "hdr_headerpag_flags"},
    {"Checksum", "hdr_headerpag_checksum"},
    {"Page Gene..", "hdr_headerpag_generation"},
    {"WAL seqno", "hdr_headerpag_seqno"},
    {"WAL offset", "hdr_headerpag_offset"},
}};

std::array<std::string, 6> CommonHeaderTexts(const TPageHeader& h) {
    return {std::to_string(h.pag_type),       std::to_string(h.pag_flags), std::to_string(h.pag_checksum),
            std::to_string(h.pag_generation), std::to_string(h.pag_seqno), std::to_string(h.pag_offset)};
}

} // namespace morvane
