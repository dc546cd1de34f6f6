#include "pages/BlobPage.h"

#include "core/ByteReader.h"
#include "hexview/Translation.h"

#include <algorithm>

namespace morvane {

TBlobPageHeader DecodeBlobHeader(const uint8_t* bytes, size_t size) {
    uint8_t head[28] = {};
    std::copy_n(bytes, std::min<size_t>(size, sizeof head), head);
    const TByteReader r(head, sizeof head);
    return TBlobPageHeader{r.I32(16), r.I32(20), r.U16(24)};
}

std::u32string BlobText(const std::vector<uint8_t>& bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (uint8_t b : bytes) {
        if (b == 0x0A) {
            text += U'\n';
        } else if (b >= 0x20) {
            const char32_t ch = hexview::AnsiToUnicode(b);
            text += ch ? ch : U' ';
        } else {
            text += U' ';
        }
    }
    return text;
}

} // namespace morvane
