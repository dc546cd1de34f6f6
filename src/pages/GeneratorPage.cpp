#include "pages/GeneratorPage.h"

#include "core/ByteReader.h"
#include "core/uODS.h"

namespace morvane {

TGeneratorLayout GeneratorLayout(uint16_t odsVersion, int pageSize, int32_t sequence) {
    TGeneratorLayout l;
    l.ValueWidth = odsVersion <= 9 ? 4 : 8;
    l.LongNames = odsVersion >= 11;
    l.Base = HasFirebird3Layout(odsVersion) ? 24 : 32;
    l.Slots = pageSize > l.Base ? (pageSize - l.Base) / l.ValueWidth : 0;
    l.FirstId = l.Slots * sequence;
    if (l.FirstId < 0) l.FirstId = 1;
    return l;
}

std::optional<int64_t> GeneratorValue(TMemoryStream& page, const TGeneratorLayout& layout, int64_t row) {
    const TByteReader r(page.Memory(), static_cast<size_t>(page.Size()));
    const int64_t offset = layout.Base + row * layout.ValueWidth;
    if (row < 0 || !r.Has(offset, layout.ValueWidth)) return std::nullopt;
    if (layout.ValueWidth == 4) return r.I32(offset);
    return static_cast<int64_t>(uint64_t(r.U32(offset)) | uint64_t(r.U32(offset + 4)) << 32);
}

} // namespace morvane
