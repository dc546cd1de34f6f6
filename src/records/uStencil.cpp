#include "records/uStencil.h"

#include "core/ByteReader.h"
#include "core/uBaseTools.h"
#include "hexview/Translation.h"
#include "pages/DataPage.h"
#include "pages/HeaderPage.h"
#include "platform/Text.h"
#include "records/uFormats.h"
#include "records/uRLE.h"

#include <cstdio>
#include <cstring>

namespace morvane {

void TRecordTable::AppendRow(std::vector<std::string> values) {
    values.resize(FColumns.size());
    FRows.push_back(std::move(values));
}

TStensil::TStensil(std::vector<const TIBFieldDefList*> lists)
    : FLists(std::move(lists)), FTable(std::make_unique<TRecordTable>()) {
    BuildColumns();
}

void TStensil::BuildColumns() {
    size_t m = 0;
    for (const TIBFieldDefList* list : FLists)
        m = std::max(m, list->Count());
    for (size_t i = 0; i <= m; ++i)
        FTable->AddColumn("Field" + std::to_string(i));
    FTable->Open();
}

std::vector<uint8_t> DecodeRecord(const IBRec& rec) {
    if (rec.RecordKind == rkBlob) return {};
    TRLERecord rle;
    rle.AllocPacked(static_cast<int32_t>(rec.Body.size()));
    std::copy(rec.Body.begin(), rec.Body.end(), rle.Packed());
    rle.Unpack();
    return rle.UnpackedBytes();
}

// The list of the record's own format (byte 12 of its header); a hand-made list fits all.
const TIBFieldDefList* TStensil::ListFor(const IBRec& rec) const {
    for (const TIBFieldDefList* list : FLists)
        if (list->FormatNumber == -1 || list->FormatNumber == rec.RecordHeader[12]) return list;
    return FLists.empty() ? nullptr : FLists.back();
}

namespace {

std::string Text(const uint8_t* bytes, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        const char32_t c = bytes[i] < 0x20 ? U' ' : hexview::AnsiToUnicode(bytes[i]);
        AppendUtf8(out, c ? c : U' ');
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// An exact numeric with its decimal scale: 1250 at scale -2 reads 12.50.
std::string Scaled(int64_t value, int scale) {
    if (scale >= 0) return std::to_string(value);
    const bool negative = value < 0;
    std::string digits =
        std::to_string(negative ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    const size_t places = static_cast<size_t>(-scale);
    if (digits.size() <= places) digits.insert(0, places - digits.size() + 1, '0');
    digits.insert(digits.size() - places, 1, '.');
    return negative ? "-" + digits : digits;
}

std::string Number(double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%.15g", v);
    return b;
}

std::string Time(uint32_t ticks) {
    char b[32];
    const uint32_t s = ticks / 10000;
    std::snprintf(b, sizeof b, "%02u:%02u:%02u.%04u", s / 3600 % 24, s / 60 % 60, s % 60, ticks % 10000);
    return b;
}

} // namespace

std::string RenderField(const std::vector<uint8_t>& record, const TIBFieldDef& def) {
    const TByteReader r(record);
    const int64_t at = def.FieldOffset;
    const int64_t width = TIBFieldDefList::TypeSize(def.FieldType) > 0
                              ? TIBFieldDefList::TypeSize(def.FieldType)
                              : std::max<int32_t>(def.FieldLength, 0);
    if (def.FieldType == 3) { // varying: a 2-byte length, then the text
        if (!r.Has(at, 2)) return {};
        const uint16_t n = r.U16(at);
        const int64_t room = def.FieldLength > 2 ? def.FieldLength - 2 : n;
        const int64_t shown = std::min<int64_t>(n, room);
        return r.Has(at + 2, shown) ? Text(r.At(at + 2, shown), static_cast<size_t>(shown)) : std::string();
    }
    if (!r.Has(at, width)) return {};
    const uint8_t* p = r.At(at, width);
    switch (def.FieldType) {
    case 1:
    case 2:
        return Text(p, static_cast<size_t>(width));
    case 7:
        return std::to_string(static_cast<int8_t>(p[0]));
    case 8:
        return Scaled(r.I16(at), def.FieldScale);
    case 9:
        return Scaled(r.I32(at), def.FieldScale);
    case 10:
    case 19:
        return Scaled(static_cast<int64_t>(uint64_t(r.U32(at)) | uint64_t(r.U32(at + 4)) << 32),
                      def.FieldScale);
    case 12:
    case 13: {
        double d;
        std::memcpy(&d, p, 8);
        return Number(d);
    }
    case 14:
        return CreationIsoText(CreationMoment(r.U32(at), 0));
    case 15:
        return Time(r.U32(at));
    case 16: {
        const TCreationMoment m = CreationMoment(r.U32(at), 0);
        return CreationIsoText(m) + " " + Time(r.U32(at + 4));
    }
    case 17:
    case 18:
        return "blob " + std::to_string(r.U32(at)) + ":" + std::to_string(r.U32(at + 4));
    default:
        return LowerHex(p, static_cast<size_t>(width));
    }
}

void TStensil::AddRecords(const std::vector<IBRec>& records) {
    const size_t columns = FTable->ColumnCount();
    for (const IBRec& rec : records) {
        if (rec.RecordKind == rkBlob) continue; // blob records hold blob bytes, not fields
        std::vector<std::string> row(columns);
        std::vector<bool> used(columns, false);
        const std::vector<uint8_t> decoded = DecodeRecord(rec);
        if (const TIBFieldDefList* list = ListFor(rec)) {
            for (const TIBFieldDef& def : list->Defs()) {
                if (def.FieldPosition < 0 || static_cast<size_t>(def.FieldPosition) >= columns) continue;
                const auto bit = static_cast<size_t>(def.FieldPosition);
                const bool isNull =
                    list->NullFlags && bit / 8 < decoded.size() && (decoded[bit / 8] >> (bit % 8)) & 1;
                row[bit] = isNull ? std::string() : RenderField(decoded, def);
                used[static_cast<size_t>(def.FieldPosition)] = true;
            }
        }
        // The column no definition fills says what the record is, when it is not a plain one.
        const uint16_t flags = static_cast<uint16_t>(rec.RecordHeader[10] | rec.RecordHeader[11] << 8);
        std::string what;
        if (rec.RecordKind == rkFragment) what = "fragment";
        if (flags & rhd_deleted) what += what.empty() ? "deleted" : " deleted";
        if (flags & rhd_chain) what += what.empty() ? "old version" : " old version";
        if (!what.empty() && !used[columns - 1]) row[columns - 1] = what;
        FTable->AppendRow(std::move(row));
    }
}

std::string ExportLine(const TRecordTable& table, size_t row) {
    std::string line;
    for (size_t c = 0; c < table.ColumnCount(); ++c)
        line += table.Value(row, c) + ";";
    return line + "\r\n";
}

std::vector<IBRec> ReadRelationRecords(TBaseFile& file, int32_t relation) {
    std::vector<IBRec> records;
    TAnalyser* analyser = file.Analyser();
    if (!analyser) return records;
    const TMemTable& table = analyser->PageTable();
    std::vector<uint8_t> bytes(analyser->PageSize());
    const int32_t count = table.CountRelationPages(relation);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t page = table.RelationPageAt(relation, i);
        if (table.EntryType(static_cast<size_t>(page)) != ptData) continue;
        analyser->ReadPage(page, bytes.data());
        TMemoryStream stream(bytes);
        TDataPageContent content = LoadDataPage(stream);
        for (IBRec& rec : content.Records)
            records.push_back(std::move(rec));
    }
    return records;
}

std::vector<std::unique_ptr<TIBFieldDefList>> DefinitionsFromFormats(const TFieldFormat& formats,
                                                                     const std::function<void()>& duplicate) {
    std::vector<std::unique_ptr<TIBFieldDefList>> lists;
    for (size_t i = 0; i < formats.FormatCount(); ++i) {
        auto list = std::make_unique<TIBFieldDefList>();
        list->FormatNumber = formats.FormatNumber(i);
        list->NullFlags = formats.HasNullFlags();
        for (size_t j = 0; j < formats.FieldCount(i); ++j) {
            const TFieldDescriptor& d = formats.GetDescriptor(i, j);
            const auto length = static_cast<int32_t>(d[2] | d[3] << 8);
            const auto offset = static_cast<int32_t>(d[8] | d[9] << 8);
            const std::string name = "fieldV" + std::to_string(i) + "n" + std::to_string(j);
            if (list->AddField(name, d[0], offset, static_cast<int32_t>(j), length,
                               static_cast<int8_t>(d[1])) == -1 &&
                duplicate)
                duplicate();
        }
        lists.push_back(std::move(list));
    }
    return lists;
}

} // namespace morvane
