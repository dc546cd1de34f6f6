#include "hexview/HexProfile.h"

#include "platform/Errors.h"

namespace morvane::hexview {

namespace {
const char* const kValueNames[] = {"BytesPerColumn", "BytesPerLine", "OffsetDisplay", "Translation"};
}

const char* HexProfileKey(int profile) {
    return profile == hpRecord ? "SOFTWARE\\MorvaneTeam\\Morvane\\Hex\\Record"
                               : "SOFTWARE\\MorvaneTeam\\Morvane\\Hex\\Main";
}

THexSettings LoadHexProfile(TSettingsStore& store, int profile) {
    THexSettings s;
    const std::string key = HexProfileKey(profile);
    if (!store.OpenKey(key)) return s;
    int32_t* fields[] = {&s.BytesPerColumn, &s.BytesPerLine, &s.OffsetDisplay, &s.Translation};
    for (int i = 0; i < 4; ++i)
        if (const auto v = store.ReadInteger(key, kValueNames[i])) *fields[i] = *v;
    return s;
}

void SaveHexProfile(TSettingsStore& store, int profile, const THexSettings& s) {
    const std::string key = HexProfileKey(profile);
    const int32_t values[] = {s.BytesPerColumn, s.BytesPerLine, s.OffsetDisplay, s.Translation};
    const bool opened = store.OpenKey(key);
    for (int i = 0; i < 4; ++i)
        if (!opened || !store.WriteInteger(key, kValueNames[i], values[i]))
            throw EError(Format("Failed to set data for '%s'", kValueNames[i]));
}

void ApplyHexProfile(THexModel& view, const THexSettings& s) {
    // Values the menu never writes stay away from the view: groups of fewer than one
    // byte, and style or translation codes out of range.
    if (s.BytesPerColumn >= 1 && s.BytesPerColumn <= 256) view.SetBytesPerColumn(s.BytesPerColumn);
    view.SetBytesPerLine(s.BytesPerLine);
    if (s.OffsetDisplay >= 1 && s.OffsetDisplay <= 4)
        view.SetOffsetDisplay(static_cast<TOffsetDisplayStyle>(s.OffsetDisplay - 1));
    if (s.Translation >= 1 && s.Translation <= 5)
        view.Translation = static_cast<TTranslationType>(s.Translation - 1);
}

int32_t OffsetDisplayCode(TOffsetDisplayStyle style) {
    return static_cast<int32_t>(style) + 1;
}
int32_t TranslationCode(TTranslationType t) {
    return static_cast<int32_t>(t) + 1;
}

THexSettings CurrentHexSettings(const THexModel& view) {
    return THexSettings{view.BytesPerColumn(), view.BytesPerLine(), OffsetDisplayCode(view.OffsetDisplay()),
                        TranslationCode(view.Translation)};
}

int ProfileOfView(const std::string& viewName) {
    return viewName == "heRecord" ? hpRecord : hpMain;
}

} // namespace morvane::hexview
