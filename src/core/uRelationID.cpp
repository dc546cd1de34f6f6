#include "core/uRelationID.h"

#include "platform/Stream.h"

#include <algorithm>

namespace morvane {

namespace {
//  FORM   WIDTH  NAME        FIRST VALUE  SYSTEM FLAG
//  short   40    4..35       36..37       38..39
//  long    76    4..71       72..73       74..75
constexpr size_t kShortWidth = 40;
constexpr size_t kLongWidth = 76;
constexpr int kNameOffset = 4;
} // namespace

TRelationID20::TRelationID20(TBaseFile& file)
    : FForm(file.Analyser() && file.Analyser()->ODSVersion() >= 11 ? TForm::Long : TForm::Short) {
    Build(file);
}

void TRelationID20::AddEntry(const uint8_t* decoded, size_t width) {
    if (FForm == TForm::Short) {
        TShortGenEntry e{};
        std::copy(decoded + kNameOffset, decoded + width, e.begin() + kNameOffset);
        FShort.push_back(e);
    } else {
        TLongGenEntry e{};
        std::copy(decoded + kNameOffset, decoded + width, e.begin() + kNameOffset);
        FLong.push_back(e);
    }
    ++FCount;
}

void TRelationID20::Build(TBaseFile& file) {
    FCount = 0;
    TAnalyser* analyser = file.Analyser();
    if (!analyser) return;
    const size_t width = FForm == TForm::Short ? kShortWidth : kLongWidth;
    const TMemTable& table = analyser->PageTable();
    const int32_t pages = table.CountRelationPages(kRelationId);
    std::vector<uint8_t> page(analyser->PageSize());
    std::vector<uint8_t> record(width);

    for (int32_t i = 0; i < pages; ++i) {
        const int32_t p = table.RelationPageAt(kRelationId, i);
        if (table.EntryType(static_cast<size_t>(p)) != ptData) continue;
        analyser->ReadPage(p, page.data());
        // Reading through a stream: a slot array or record past the page's end
        // fails with "Stream read error" and aborts the open.
        TMemoryStream stream(page);
        uint16_t slotCount = 0;
        stream.Seek(22, TSeekOrigin::soBeginning);
        stream.ReadBuffer(&slotCount, 2);
        for (int32_t j = 0; j < slotCount; ++j) {
            uint16_t slot[2] = {0, 0};
            stream.Seek(24 + 4 * j, TSeekOrigin::soBeginning);
            stream.ReadBuffer(slot, 4);
            std::fill(record.begin(), record.end(), uint8_t(0));
            if (slot[1] != 0) {
                const int32_t stored = int32_t(slot[1]) - kRecordHeaderSize;
                std::vector<uint8_t> image(stored > 0 ? static_cast<size_t>(stored) : 0);
                stream.Seek(int64_t(slot[0]) + kRecordHeaderSize, TSeekOrigin::soBeginning);
                stream.ReadBuffer(image.data(), stored);
                size_t out = 0;
                UnpackRLE(
                    stored,
                    [&](int32_t k) { return k < stored ? image[static_cast<size_t>(k)] : uint8_t(0); },
                    [&](uint8_t b) {
                        if (out < width) record[out] = b;
                        ++out;
                    });
            }
            AddEntry(record.data(), width);
        }
    }
}

TShortGenEntry TRelationID20::ShortEntryAt(int32_t i) const {
    return (i >= 0 && static_cast<size_t>(i) < FShort.size()) ? FShort[i] : TShortGenEntry{};
}

TLongGenEntry TRelationID20::LongEntryAt(int32_t i) const {
    return (i >= 0 && static_cast<size_t>(i) < FLong.size()) ? FLong[i] : TLongGenEntry{};
}

std::string TRelationID20::NameAt(int32_t i) const {
    std::string name;
    auto take = [&](const auto& e, size_t end) {
        for (size_t k = kNameOffset; k < end && e[k] != 0; ++k)
            name.push_back(static_cast<char>(e[k]));
    };
    if (FForm == TForm::Short)
        take(ShortEntryAt(i), 36);
    else
        take(LongEntryAt(i), 72);
    return name;
}

uint16_t TRelationID20::SystemFlagAt(int32_t i) const {
    if (FForm == TForm::Short) {
        const auto e = ShortEntryAt(i);
        return static_cast<uint16_t>(e[38] | (e[39] << 8));
    }
    const auto e = LongEntryAt(i);
    return static_cast<uint16_t>(e[74] | (e[75] << 8));
}

} // namespace morvane
