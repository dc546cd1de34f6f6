#include "support/DbBuilder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace morvane::test {

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "morvane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

Bytes Pack(const Bytes& raw) {
    Bytes out;
    size_t i = 0;
    while (i < raw.size()) {
        size_t run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 128)
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(256 - run));
            out.push_back(raw[i]);
            i += run;
            continue;
        }
        size_t start = i, len = 0;
        while (i < raw.size() && len < 127) {
            size_t r = 1;
            while (i + r < raw.size() && raw[i + r] == raw[i] && r < 3)
                ++r;
            if (r >= 3) break;
            ++i;
            ++len;
        }
        out.push_back(static_cast<uint8_t>(len));
        out.insert(out.end(), raw.begin() + start, raw.begin() + start + len);
    }
    return out;
}

TDbBuilder::TDbBuilder(int pageSize, uint16_t ods) : FPageSize(pageSize) {
    Header(static_cast<uint16_t>(pageSize), ods);
}

Bytes& TDbBuilder::Page(int n) {
    while (static_cast<int>(FPages.size()) <= n)
        FPages.emplace_back(FPageSize, 0);
    return FPages[n];
}

TDbBuilder& TDbBuilder::Put16(int n, int offset, uint16_t v) {
    Bytes& p = Page(n);
    p.at(offset) = v & 0xFF;
    p.at(offset + 1) = v >> 8;
    return *this;
}

TDbBuilder& TDbBuilder::Put32(int n, int offset, uint32_t v) {
    Put16(n, offset, v & 0xFFFF);
    return Put16(n, offset + 2, v >> 16);
}

TDbBuilder& TDbBuilder::Header(uint16_t storedPageSize, uint16_t ods) {
    Typed(0, 1);
    Put16(0, 16, storedPageSize);
    return Put16(0, 18, ods);
}

TDbBuilder& TDbBuilder::Typed(int n, uint8_t type, uint8_t flags) {
    Bytes& p = Page(n);
    p[0] = type;
    p[1] = flags;
    return *this;
}

TDbBuilder& TDbBuilder::IndexRoot(int n, uint16_t relation) {
    Typed(n, 6);
    return Put16(n, 16, relation);
}

TDbBuilder& TDbBuilder::Data(int n, uint16_t relation, int32_t sequence,
                             const std::vector<TRecordSpec>& records) {
    Typed(n, 5);
    Put32(n, 16, static_cast<uint32_t>(sequence));
    Put16(n, 20, relation);
    Put16(n, 22, static_cast<uint16_t>(records.size()));
    int top = FPageSize;
    for (size_t j = 0; j < records.size(); ++j) {
        const TRecordSpec& r = records[j];
        if (r.Empty) continue;
        const int length = r.HeaderSize + static_cast<int>(r.Stored.size());
        top -= (length + 7) & ~7;
        if (top < 24 + 4 * static_cast<int>(records.size())) throw std::runtime_error("page full");
        Put16(n, 24 + 4 * static_cast<int>(j), static_cast<uint16_t>(top));
        Put16(n, 26 + 4 * static_cast<int>(j), static_cast<uint16_t>(length));
        Put32(n, top, static_cast<uint32_t>(r.Transaction));
        Put16(n, top + 10, r.Flags);
        Bytes& p = Page(n);
        std::copy(r.Stored.begin(), r.Stored.end(), p.begin() + top + r.HeaderSize);
    }
    return *this;
}

std::string TDbBuilder::Write(const std::string& path, size_t trailingBytes) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const Bytes& p : FPages)
        out.write(reinterpret_cast<const char*>(p.data()), static_cast<std::streamsize>(p.size()));
    const std::string tail(trailingBytes, '\x7');
    out << tail;
    if (!out) throw std::runtime_error("cannot write " + path);
    return path;
}

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace morvane::test
