#pragma once
// One packed record image and its decoded bytes.

#include <cstdint>
#include <vector>

namespace morvane {

class TRLERecord {
  public:
    // Room for n stored bytes plus the zero after them; drops any decoded result.
    void AllocPacked(int32_t n);
    void Unpack();
    // Little-endian values of the decoded bytes; an offset outside them raises an error.
    int16_t ReadInt16(int32_t offset) const;
    int32_t ReadInt32(int32_t offset) const;

    uint8_t* Packed() { return FPacked.data(); }
    const uint8_t* Packed() const { return FPacked.data(); }
    int32_t PackedLength() const { return FPackedLength; }
    const uint8_t* Unpacked() const { return FUnpacked.data(); }
    int32_t UnpackedLength() const { return static_cast<int32_t>(FUnpacked.size()); }
    const std::vector<uint8_t>& UnpackedBytes() const { return FUnpacked; }

  private:
    std::vector<uint8_t> FPacked;
    int32_t FPackedLength = 0;
    std::vector<uint8_t> FUnpacked;
};

} // namespace morvane
