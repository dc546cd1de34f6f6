#include "pages/StructurePages.h"

#include "core/ByteReader.h"
#include "platform/Errors.h"
#include "platform/IntConv.h"

#include <cstdio>
#include <cstring>

namespace morvane {

namespace {

template <typename T> void Put(uint8_t* at, T value) {
    for (size_t i = 0; i < sizeof(T); ++i)
        at[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
}

template <size_t N> void ReadImage(TMemoryStream& page, std::array<uint8_t, N>& image) {
    page.Seek(0, TSeekOrigin::soBeginning);
    page.ReadBuffer(image.data(), static_cast<int64_t>(N));
}

} // namespace

uint32_t ParsePageNumber(const std::string& text) {
    const int64_t value = StrToInt64(text);
    if (value < 0 || value > 0xFFFFFFFFLL)
        throw EConvertError(Format("'%s' is not a valid integer value", text.c_str()));
    return static_cast<uint32_t>(value);
}

// --------------------------------------------------------------------------------- pointer page
TPointerPage DecodePointerPage(TMemoryStream& page) {
    TPointerPage p;
    try {
        ReadImage(page, p.Image);
        const TByteReader r(p.Image.data(), p.Image.size());
        p.Sequence = r.I32(16);
        p.Next = r.I32(20);
        p.Count = r.U16(24);
        p.Relation = r.U16(26);
        p.MinSpace = r.U16(28);
        p.MaxSpace = r.U16(30);
        for (int i = 0; i < p.Count; ++i) {
            uint32_t slot = 0;
            if (page.Read(&slot, 4) != 4) break; // the slots that fit in the page
            p.Slots.push_back(TByteReader(reinterpret_cast<uint8_t*>(&slot), 4).U32(0));
        }
    } catch (const EError&) {
    }
    return p;
}

void EncodePointerPage(TMemoryStream& page, const TPointerPage& p) {
    std::array<uint8_t, 32> image = p.Image;
    Put<int32_t>(&image[16], p.Sequence);
    Put<int32_t>(&image[20], p.Next);
    Put<uint16_t>(&image[24], p.Count);
    Put<uint16_t>(&image[26], p.Relation);
    Put<uint16_t>(&image[28], p.MinSpace);
    Put<uint16_t>(&image[30], p.MaxSpace);
    std::vector<uint8_t> bytes(image.begin(), image.end());
    for (uint32_t slot : p.Slots) {
        uint8_t b[4];
        Put<uint32_t>(b, slot);
        bytes.insert(bytes.end(), b, b + 4);
    }
    if (static_cast<int64_t>(bytes.size()) > page.Size())
        throw EError(
            Format("The data page vector of %zu slots does not fit in the page; nothing was written.",
                   p.Slots.size()));
    page.Seek(0, TSeekOrigin::soBeginning);
    page.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// ------------------------------------------------------------------------------ index root page
const std::array<const char*, 6> kIndexFlagCaptions = {"Unique",  "Descending", "In progress",
                                                       "Foreign", "Primary",    "Expression"};

TIndexEntry ReadIndexEntry(TMemoryStream& page, int index) {
    uint8_t raw[12];
    page.Seek(20 + 12 * int64_t(index), TSeekOrigin::soBeginning);
    page.ReadBuffer(raw, 12);
    const TByteReader r(raw, sizeof raw);
    TIndexEntry e;
    e.TopPage = r.I32(0);
    const uint32_t bits = r.U32(4);
    std::memcpy(&e.Selectivity, &bits, 4);
    e.KeyOffset = r.U16(8);
    e.Keys = r.U8(10);
    e.Flags = r.U8(11);
    return e;
}

TIndexRootPage DecodeIndexRootPage(TMemoryStream& page) {
    TIndexRootPage p;
    try {
        ReadImage(page, p.Image);
        const TByteReader r(p.Image.data(), p.Image.size());
        p.Relation = r.U16(16);
        p.Count = r.U16(18);
        for (int i = 0; i < p.Count; ++i)
            p.Entries.push_back(ReadIndexEntry(page, i));
    } catch (const EError&) {
    }
    return p;
}

TKeyDescriptor ReadKeyDescriptor(TMemoryStream& page, uint16_t offset) {
    uint8_t raw[4];
    page.Seek(offset, TSeekOrigin::soBeginning);
    page.ReadBuffer(raw, 4);
    const TByteReader r(raw, sizeof raw);
    return TKeyDescriptor{r.U16(0), r.U16(2)};
}

std::string KeyTypeName(uint16_t type) {
    switch (type) {
    case 0:
        return "Digitals";
    case 1:
    case 32883:
        return "Characters";
    case 2:
        return "Date";
    case 4:
        return "CHAR(31)";
    case 7:
        return "BLOB";
    default:
        return std::to_string(type);
    }
}

std::string SelectivityText(float selectivity) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", static_cast<double>(selectivity));
    return buf;
}

void EncodeIndexTopPages(TMemoryStream& page, const std::vector<uint32_t>& topPages) {
    const int64_t end = 20 + 12 * static_cast<int64_t>(topPages.size());
    if (end > page.Size()) throw EError("The index entries do not fit in the page; nothing was written.");
    for (size_t i = 0; i < topPages.size(); ++i) {
        uint8_t b[4];
        Put<uint32_t>(b, topPages[i]);
        page.Seek(20 + 12 * static_cast<int64_t>(i), TSeekOrigin::soBeginning);
        page.WriteBuffer(b, 4);
    }
}

// --------------------------------------------------------------------------------- B-tree page
namespace {

// Reads a number stored 7 bits a byte, low bits first, a set high bit announcing more.
bool ReadSevenBits(const TByteReader& r, int64_t& at, int maxBytes, uint64_t& value, int shift = 0) {
    for (int i = 0; i < maxBytes; ++i) {
        if (!r.Has(at, 1)) return false;
        const uint8_t b = r.U8(at++);
        value |= uint64_t(b & 0x7F) << shift;
        shift += 7;
        if (!(b & 0x80)) return true;
    }
    return false; // a number longer than any stored one: the node is damaged
}

void DecodeCompressedNodes(const TByteReader& all, TBTreePage& p) {
    const int64_t jumpSize = all.U16(36);
    for (int64_t at = 39 + jumpSize; at < p.DataLength;) {
        const uint8_t first = all.U8(at++);
        const int flags = first >> 5;
        TBTreeNode n;
        if (flags == 1) {
            n.Kind = nkEndLevel;
            n.KeyOffset = at;
            p.Nodes.push_back(n);
            return;
        }
        uint64_t record = first & 0x1F;
        if (!ReadSevenBits(all, at, 6, record, 5)) return;
        uint64_t child = 0;
        if (p.Level > 0 && !ReadSevenBits(all, at, 5, child)) return;
        uint64_t prefix = 0, length = 0;
        if (flags != 3 && !ReadSevenBits(all, at, 2, prefix)) return;
        if (flags == 5)
            length = 1;
        else if (flags != 3 && flags != 4 && !ReadSevenBits(all, at, 2, length))
            return;
        n.Kind = flags == 2 ? nkEndBucket : nkNormal;
        n.Number = static_cast<int64_t>(p.Level > 0 ? child : record);
        n.Prefix = static_cast<uint16_t>(prefix);
        n.Length = static_cast<uint16_t>(length);
        n.KeyOffset = at;
        p.Nodes.push_back(n);
        at += n.Length;
        if (n.Kind == nkEndBucket) return;
    }
}

} // namespace

TBTreePage DecodeBTreePage(TMemoryStream& page, bool compressedNodes) {
    TBTreePage p;
    try {
        ReadImage(page, p.Image);
        const TByteReader r(p.Image.data(), p.Image.size());
        p.Right = r.I32(16);
        p.Left = r.I32(20);
        p.PrefixSum = r.I32(24);
        p.Relation = r.U16(28);
        p.DataLength = r.U16(30);
        p.IndexId = r.U8(32);
        p.Level = r.U8(33);
        const TByteReader all(page.Memory(), static_cast<size_t>(page.Size()));
        if (compressedNodes) {
            if (all.Has(34, 5)) DecodeCompressedNodes(all, p);
            return p;
        }
        for (int64_t offset = 34; offset < p.DataLength && all.Has(offset, 6);) {
            TBTreeNode n;
            n.Prefix = all.U8(offset);
            n.Length = all.U8(offset + 1);
            n.Number = all.I32(offset + 2);
            if (n.Number == -2) n.Kind = nkEndLevel;
            n.KeyOffset = offset + 6;
            p.Nodes.push_back(n);
            offset += 6 + n.Length;
        }
    } catch (const EError&) {
    }
    return p;
}

std::vector<uint8_t> ReadNodeKey(TMemoryStream& page, const TBTreeNode& node) {
    std::vector<uint8_t> key(node.Length);
    page.Seek(node.KeyOffset, TSeekOrigin::soBeginning);
    page.ReadBuffer(key.data(), node.Length);
    return key;
}

void EncodeBTreeHeader(TMemoryStream& page, const TBTreePage& p) {
    std::array<uint8_t, 36> image = p.Image;
    Put<int32_t>(&image[16], p.Right);
    Put<int32_t>(&image[20], p.Left);
    Put<int32_t>(&image[24], p.PrefixSum);
    Put<uint16_t>(&image[28], p.Relation);
    Put<uint16_t>(&image[30], p.DataLength);
    image[32] = p.IndexId;
    image[33] = p.Level;
    if (page.Size() < 36) throw EError("The page is too small for a B-tree header; nothing was written.");
    page.Seek(0, TSeekOrigin::soBeginning);
    page.WriteBuffer(image.data(), 36);
}

std::string NodeLine(const TBTreeNode& node) {
    switch (node.Kind) {
    case nkEndLevel:
        return "Last";
    case nkEndBucket:
        return std::to_string(node.Number) + " (end of bucket)";
    default:
        // The old layout's numbers are 32-bit and listed unsigned.
        return node.Number < 0 ? std::to_string(static_cast<uint32_t>(node.Number))
                               : std::to_string(node.Number);
    }
}

} // namespace morvane
