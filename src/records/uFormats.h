#pragma once
// The stored record formats of a relation, read from the format records of relation 8 and
// their descriptor blobs, straight from the file (as stored, without unsaved edits).
//
// Format record (decoded):  4 relation id (2, signed)  6 format number (2)
//                           8 blob id, first word (4)  12 record number of the descriptor blob (4)
// Descriptor blob record:  20 data length (4)  30 descriptors, 12 bytes each:
//                           0 type  1 scale  2 length (2)  4 sub-type (2)  6 flags (2)  8 offset (4)

#include "core/uBaseTools.h"

#include <array>
#include <cstdint>
#include <vector>

namespace morvane {

using TFieldDescriptor = std::array<uint8_t, 12>;

class TFieldFormat {
  public:
    static constexpr int32_t kFormatRelation = 8;
    static constexpr size_t kMaxDescriptors = 1024;

    TFieldFormat(TBaseFile& file, int32_t relation);

    size_t FormatCount() const { return FEntries.size(); }
    size_t FieldCount(size_t format) const { return FDescriptors.at(format).size(); }
    const TFieldDescriptor& GetDescriptor(size_t format, size_t field) const {
        return FDescriptors.at(format).at(field);
    }
    int16_t FormatNumber(size_t format) const;
    static int32_t RecordsPerPage(int pageSize);
    // Whether the relation's records carry null flags ahead of their fields.
    bool HasNullFlags() const { return FCountedDescriptors; }

  private:
    struct TScannedPage {
        int32_t Page;
        std::array<uint8_t, 24> Header;
    };
    void LoadFormats();
    void LoadDescriptors();
    std::vector<uint8_t> ReadPage(int32_t page) const;

    TBaseFile& FFile;
    int32_t FRelation;
    int FPageSize;
    bool FCountedDescriptors = false;
    std::vector<TScannedPage> FPages;
    std::vector<std::array<uint8_t, 12>> FEntries;
    std::vector<std::vector<TFieldDescriptor>> FDescriptors;
};

} // namespace morvane
