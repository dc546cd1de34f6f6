#pragma once
// The database header page: the first 100 bytes decoded into the 28 rows the header page
// editor shows. Pure: bytes in, row texts out.

//  OFFSET  WIDTH  MEANING                                    ROW
//   16      2     page size                                   13
//   18      2     ODS version, as stored                      16
//   20      4     page number of the PAGES relation           15
//   24      4     page number of the next header page         11
//   28      4     oldest interesting transaction              19
//   32      4     oldest transaction thought active           20
//   36      4     next transaction id                         21
//   40      2     sequence number of the file                 12
//   42      2     header flags (ten low bits)                 1..10
//   44      4     creation date: days since 1858-11-17        24
//   48      4     creation time: ten-thousandths of a second  24
//   52      4     next attachment id                          25
//   56      4     event count for shadow synchronisation      26
//   60      2     implementation code                         0
//   62      2     ODS update version                          17
//   64      2     ODS update version at creation              18
//   66      2     offset of the end of the header data        27
//   68      2     page buffers (16 bits only)                 14
//   72      4     bumped transaction id                       23
//   76      4     oldest snapshot of active transactions      22

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvane {

class TMemoryStream;

constexpr int kHeaderRecordSize = 100;
constexpr int kHeaderRowCount = 28;
using THeaderRecord = std::array<uint8_t, kHeaderRecordSize>;

// Reads the record from offset 0 of the stream; bytes that cannot be read stay zero.
THeaderRecord ReadHeaderRecord(TMemoryStream& data);

const char* ImplementationName(unsigned code);

// The creation moment, computed exactly from the stored day count and ten-thousandths.
struct TCreationMoment {
    int Year, Month, Day;
    int Hour, Minute, Second;
    bool HasTime() const { return Hour != 0 || Minute != 0 || Second != 0; }
};
TCreationMoment CreationMoment(uint32_t days, uint32_t tenThousandths);
// "YYYY-MM-DD HH:MM:SS", the time left out at midnight.
std::string CreationIsoText(const TCreationMoment& m);

struct THeaderRow {
    std::string Name;
    std::string Value;
    int Offset; // the bytes the value comes from
    int Length;
};

// The 28 rows; the creation date is written by the formatter given.
std::vector<THeaderRow> HeaderRows(const THeaderRecord& record,
                                   const std::function<std::string(const TCreationMoment&)>& formatDate);

} // namespace morvane
