#pragma once
// Addresses of the maker's servers, in one place. The hosts are placeholders under the reserved
// ".example" domain until the real servers are known; requests to them fail quietly, as every
// request of the program may.
namespace vsm {

inline constexpr const wchar_t* kInstallStatisticsUrl =
    L"http://stats.vesk-monitor.example/install_statistics/index.php?p=install_statistics";

}  // namespace vsm
