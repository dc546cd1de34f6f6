#include "records/uRLE.h"

#include "core/ByteReader.h"
#include "core/uBaseTools.h"

namespace morvane {

void TRLERecord::AllocPacked(int32_t n) {
    if (n < 0) n = 0;
    FPacked.assign(static_cast<size_t>(n) + 1, 0);
    FPackedLength = n;
    FUnpacked.clear();
}

void TRLERecord::Unpack() {
    FUnpacked.clear();
    if (FPacked.empty()) return;
    UnpackRLE(
        FPackedLength, [this](int32_t i) { return FPacked[static_cast<size_t>(i)]; },
        [this](uint8_t b) { FUnpacked.push_back(b); });
}

int16_t TRLERecord::ReadInt16(int32_t offset) const {
    return TByteReader(FUnpacked).I16(offset);
}

int32_t TRLERecord::ReadInt32(int32_t offset) const {
    return TByteReader(FUnpacked).I32(offset);
}

} // namespace morvane
