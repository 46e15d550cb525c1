#pragma once
// Addresses of the maker's servers, in one place. The hosts are placeholders under the reserved
// ".example" domain until the real servers are known; requests to them fail quietly, as every
// request of the program may.
namespace vsm {

inline constexpr const wchar_t* kInstallStatisticsUrl =
    L"http://stats.vesk-monitor.example/install_statistics/index.php?p=install_statistics";

// The maker's web site and forum (roots, no trailing slash); the main menu's pages hang off them.
inline constexpr const char* kWebSite = "http://www.vesk-monitor.example";
inline constexpr const char* kForumSite = "http://forum.vesk-monitor.example";

}  // namespace vsm
