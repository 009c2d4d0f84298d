#pragma once

// The product's name and web addresses: data shared by the screens and the update check.
namespace zn::Brand {

// The product's name as the windows show it.
inline constexpr const char* name = "Zelva Nexal";

inline constexpr const char* websiteAddress = "https://zelvanexal.app";
inline constexpr const char* contactAddress = "https://zelvanexal.app/contact";
// Chosen at build time: the page "Check for Updates" opens.
inline constexpr const char* downloadAddress = ZN_DOWNLOAD_PAGE_URL;

} // namespace zn::Brand
