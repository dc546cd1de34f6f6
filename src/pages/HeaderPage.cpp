#include "pages/HeaderPage.h"

#include "core/ByteReader.h"
#include "core/uODS.h"
#include "platform/Stream.h"

#include <cstdio>

namespace morvane {

THeaderRecord ReadHeaderRecord(TMemoryStream& data) {
    THeaderRecord record{};
    data.Seek(0, TSeekOrigin::soBeginning);
    data.Read(record.data(), kHeaderRecordSize);
    return record;
}

const char* ImplementationName(unsigned code) {
    static const char* const kNames[] = {"Windows 9x",
                                         "Apollo",
                                         "Sun, HP 9000, IMP Delta, NeXT",
                                         "Reserved",
                                         "VMS",
                                         "VAX Ultrix",
                                         "Reserved",
                                         "HP 900",
                                         "OS/2, Windows NT, Novell NetWare",
                                         "Reserved",
                                         "RS 6000",
                                         "Data General AViiON",
                                         "HP M PE/XL",
                                         "Silicon Graphics Iris",
                                         "Reserved",
                                         "DEC O SF/1"};
    return code <= 15 ? kNames[code] : kNames[0];
}

namespace {

// Civil date of a day count from 1970-01-01 (H. Hinnant's algorithm).
void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

constexpr uint32_t kTicksPerDay = 864000000;         // ten-thousandths of a second
constexpr int64_t kModifiedJulianToUnixDays = 40587; // 1858-11-17 to 1970-01-01

} // namespace

TCreationMoment CreationMoment(uint32_t days, uint32_t tenThousandths) {
    const int64_t totalDays = int64_t(days) + tenThousandths / kTicksPerDay;
    const uint32_t seconds = (tenThousandths % kTicksPerDay) / 10000;
    TCreationMoment m{};
    CivilFromDays(totalDays - kModifiedJulianToUnixDays, m.Year, m.Month, m.Day);
    m.Hour = static_cast<int>(seconds / 3600);
    m.Minute = static_cast<int>(seconds / 60 % 60);
    m.Second = static_cast<int>(seconds % 60);
    return m;
}

std::string CreationIsoText(const TCreationMoment& m) {
    char buf[48];
    if (m.HasTime())
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", m.Year, m.Month, m.Day, m.Hour,
                      m.Minute, m.Second);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", m.Year, m.Month, m.Day);
    return buf;
}

std::vector<THeaderRow> HeaderRows(const THeaderRecord& record,
                                   const std::function<std::string(const TCreationMoment&)>& formatDate) {
    const TByteReader r(record.data(), record.size());
    std::vector<THeaderRow> rows;
    rows.reserve(kHeaderRowCount);
    auto u16 = [&](const char* name, int offset) {
        rows.push_back({name, std::to_string(r.U16(offset)), offset, 2});
    };
    auto u32 = [&](const char* name, int offset) {
        rows.push_back({name, std::to_string(r.U32(offset)), offset, 4});
    };
    rows.push_back({"Implementation", ImplementationName(r.U16(60)), 60, 2});
    static const char* const kFlagNames[] = {"Shadow file",       "Forced write ON", "Short-term journal",
                                             "Long-term journal", "Calc checksums",  "Reserve for versions ",
                                             "Disable cache",     "DB is shutdown",  "Use dialect 3",
                                             "Read Only"};
    const TFlagBits flags = DecodeFlagBits(r.U16(42));
    for (size_t i = 0; i < flags.size(); ++i)
        rows.push_back({kFlagNames[i], flags[i] ? "Yes" : "No", 42, 2});
    u32("Page number of next hdr page", 24);
    u16("Sequence number of file", 40);
    u16("Page size of database", 16);
    u16("Page buffers for database cache", 68);
    u32("Page number of PAGES relation", 20);
    u16("Version of on-disk structure", 18);
    u16("Update version of ODS", 62);
    u16("Update version of ODS at creation", 64);
    u32("Oldest interesting transaction", 28);
    u32("Oldest transaction thought active", 32);
    u32("Next transaction id", 36);
    u32("Oldest snapshot of active transactions", 76);
    u32("Bumped transaction id for log optimization", 72);
    rows.push_back({"Date and Time of creation", formatDate(CreationMoment(r.U32(44), r.U32(48))), 44, 8});
    u32("Next attachment id", 52);
    u32("Event count for shadow synchronization", 56);
    u16("offset of HDR_end in page", 66);
    return rows;
}

} // namespace morvane
