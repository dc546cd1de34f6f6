#pragma once
// The maker's addresses that the help items, the about box and the tip dialog open.

namespace morvane::ui::links {

inline constexpr const char* kHomePage = "https://morvane.dev/";
inline constexpr const char* kPurchasePage = "https://morvane.dev/purchase";
inline constexpr const char* kCorruptionPage = "https://morvane.dev/corruption";
inline constexpr const char* kSupportMail = "mailto:support@morvane.dev?subject=Morvane%20Viewer%20support";
inline constexpr const char* kRepairMail = "mailto:repair@morvane.dev?subject=Database%20repair";
inline constexpr const char* kSupportAddress = "support@morvane.dev";
inline constexpr const char* kRepairAddress = "repair@morvane.dev";

} // namespace morvane::ui::links
