#pragma once
// The two stored hex display profiles, "Main" for page views and "Record" for the smaller
// record, blob and key views, and how a view takes one on.

#include "hexview/HexModel.h"
#include "platform/Settings.h"

#include <string>

namespace morvane::hexview {

enum THexProfile { hpMain = 0, hpRecord = 1 };

// Offset styles and translations are stored as codes from 1: odHex 1 .. odNone 4,
// ttAnsi 1, ttDos8 2, ttASCII 3, ttMac 4, ttEBCDIC 5.
struct THexSettings {
    int32_t BytesPerColumn = 1;
    int32_t BytesPerLine = 16;
    int32_t OffsetDisplay = 1;
    int32_t Translation = 1;
};

const char* HexProfileKey(int profile);
THexSettings LoadHexProfile(TSettingsStore& store, int profile);
// Raises "Failed to set data for '%s'" when a value cannot be stored.
void SaveHexProfile(TSettingsStore& store, int profile, const THexSettings& settings);
// Applies the four values in order; a BytesPerLine outside 1..256 raises
// "Invalid BytesPerLine argument" and leaves the remaining values unapplied.
void ApplyHexProfile(THexModel& view, const THexSettings& settings);
THexSettings CurrentHexSettings(const THexModel& view);
// The profile a menu choice on a view is stored in.
int ProfileOfView(const std::string& viewName);

int32_t OffsetDisplayCode(TOffsetDisplayStyle style);
int32_t TranslationCode(TTranslationType t);

} // namespace morvane::hexview
