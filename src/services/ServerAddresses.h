#pragma once
// Addresses of the maker's servers, in one place. The hosts are placeholders under the reserved
// ".example" domain until the real servers are known; requests to them fail quietly, as every
// request of the program may.
namespace vsm {

inline constexpr const wchar_t* kInstallStatisticsUrl =
    L"http://stats.vesk-monitor.example/install_statistics/index.php?p=install_statistics";

// The newest build of the program (product 16).
inline constexpr const wchar_t* kUpdateInfoUrl =
    L"https://update.vesk-monitor.example/software_update/getinfo.php?p_id=16";

// The news list; the query "?to=checknews&pid=<product>" is added by the news request.
inline constexpr const wchar_t* kNewsUrl = L"http://news.vesk-monitor.example/messages/index.php";
// The maker's web site and forum (roots, no trailing slash); the main menu's pages hang off them.
inline constexpr const char* kWebSite = "http://www.vesk-monitor.example";
inline constexpr const char* kForumSite = "http://forum.vesk-monitor.example";
// The feedback site of the support centre (root, no trailing slash); its pages are "index.php".
inline constexpr const char* kSupportSite = "http://support.vesk-monitor.example";

}  // namespace vsm
