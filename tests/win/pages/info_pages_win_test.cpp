// The information pages filled from Wine's real objects: the operating system, the network
// adapters and the sound devices, with the program's own texts, each saved as its report under
// "reports" beside the test program (for reading them back with other tools); and the report file
// written in place of an existing one.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/file_win.h"
#include "base/module_path_win.h"
#include "base/text.h"
#include "base/wide_win.h"
#include "hardware/cpu/CpuDetection.h"
#include "hardware/cpu/CpuSeams_win.h"
#include "hardware/superio/MainBord.h"
#include "pages/InfoPages.h"
#include "pages/InfoReport.h"
#include "pages/PageTexts_win.h"
#include "software/network/IpHelper_win.h"
#include "software/network/NetList_win.h"
#include "sysinfo/SoundList.h"
#include "sysinfo/os/OperatingSystem.h"
#include "sysinfo/os/OsPlatform_win.h"
#include "sysinfo/smbios/uSMBIOS.h"
#include "sysinfo/wmi_win.h"

namespace vsm {
namespace {

const TInfoRow* Child(const TInfoRow& row, const std::string& caption) {
  for (const auto& child : row.Children()) {
    if (child->Caption == caption) return child.get();
  }
  return nullptr;
}

void SaveReport(const wchar_t* name, const std::string& caption, const TInfoTree& tree) {
  const std::wstring folder = ExecutableFolder() + L"reports";
  ASSERT_TRUE(ForceDirectories(folder));
  const std::vector<uint8_t> bytes = InfoReportBytes(caption, tree);
  ASSERT_TRUE(WriteFileReplacing(folder + L"\\" + name, bytes));
  EXPECT_EQ(ReadWholeFile(folder + L"\\" + name), bytes);
}

TEST(InfoPagesWine, OperatingSystemPageFromTheRealObject) {
  auto os = CreateOperatingSystem();
  os->RefreshData();
  TInfoTree tree;
  FillOperatingSystemPage(tree, os.get(), ProgramPageTexts());
  ASSERT_EQ(tree.Rows().size(), 3u);
  const TInfoRow& product = *tree.Rows()[0];
  EXPECT_EQ(product.Caption, os->OSName());
  EXPECT_FALSE(product.Caption.empty());

  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExW(&version));
  ASSERT_NE(Child(product, "version"), nullptr);
  EXPECT_EQ(Child(product, "version")->Text, Format("%lu.%lu.%lu", version.dwMajorVersion,
                                                    version.dwMinorVersion, version.dwBuildNumber & 0xFFFF));
  const TInfoRow* installed = Child(product, "Install Date");
  ASSERT_NE(installed, nullptr);
  EXPECT_EQ(installed->Text, os->InstallDate() == 0 ? "" : UserShortDate(os->InstallDate()));

  TIME_ZONE_INFORMATION zone{};
  GetTimeZoneInformation(&zone);
  const TInfoRow& timeZone = *tree.Rows()[1];
  EXPECT_EQ(Child(timeZone, "Standard Name")->Text, Narrow(zone.StandardName));
  EXPECT_EQ(Child(timeZone, "UTC Bias(minutes)")->Text, std::to_string(zone.Bias));

  wchar_t shortDate[80] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, shortDate, 80);
  EXPECT_EQ(Child(*tree.Rows()[2], "Short Date Format")->Text, Narrow(shortDate));
  SaveReport(L"operating_system.csv", "Operating System", tree);
}

// Wine's processor, board and SMBIOS table (none on a host without readable firmware tables: then
// the processor page has no table rows, the board page its four rows and the memory page none).
TEST(InfoPagesWine, ProcessorBoardAndMemoryPagesFromWinesComponents) {
  const std::unique_ptr<TCpuInfo> cpu = DetectCpu(WindowsCpuSeams(SystemWmi()));
  ASSERT_NE(cpu, nullptr);
  TGeneralBoard board(DriverChannelFactory{}, QueryBaseBoard(SystemWmi()));
  const std::unique_ptr<TSMBios> smbios = CreateSMBios(SystemWmi());
  THardwareParts parts;
  parts.cpu = cpu.get();
  parts.board = &board;
  parts.smbios = smbios.get();
  const TPageTexts texts = ProgramPageTexts();
  TInfoTree processor, boardPage, memory;
  FillProcessorPage(processor, &parts, texts);
  FillBoardPage(boardPage, board, smbios.get(), texts);
  FillMemoryPage(memory, &parts, texts);

  ASSERT_GE(boardPage.Rows().size(), 4u);
  EXPECT_EQ(boardPage.Rows()[0]->Text, board.Manufacturer);
  EXPECT_EQ(boardPage.Rows()[1]->Text, board.Product);
  const bool hasProcessorTable = smbios && smbios->HasProcessorInfo();
  EXPECT_EQ(processor.Rows()[1]->Caption, hasProcessorTable ? "Socket Architecture" : "Processor");
  EXPECT_EQ(processor.Rows().back()->Children().size(), cpu->NumberOfCores);
  if (!smbios) {
    EXPECT_EQ(boardPage.Rows().size(), 4u);
    EXPECT_TRUE(memory.Rows().empty());
  }
  SaveReport(L"processor.csv", cpu->Name, processor);
  SaveReport(L"board.csv", board.Manufacturer + " " + board.Product + " " + board.Version, boardPage);
  SaveReport(L"memory.csv", "Memory", memory);
}

TEST(InfoPagesWine, UserShortDateIsTheLocalesDateOfTheDayOnly) {
  SYSTEMTIME day{};
  day.wYear = 2017;
  day.wMonth = 7;
  day.wDay = 14;
  wchar_t expected[80] = {};
  ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, expected, 80), 1);
  // 14 July 2017, 18:30.
  EXPECT_EQ(UserShortDate(42930.77), Narrow(expected));
  EXPECT_EQ(UserShortDate(*EncodeDate(1500, 1, 1)), "");  // before what the call can show
}

TEST(InfoPagesWine, NetworkPageFromWinesAdapters) {
  ASSERT_TRUE(BindIpHelper());
  auto list = GetNetList();
  ASSERT_NE(list, nullptr);
  ASSERT_GT(list->Count(), 0);
  THardwareParts parts;
  parts.netAdapters = list.get();
  TInfoTree tree;
  FillNetworkPage(tree, &parts, ProgramPageTexts());
  ASSERT_FALSE(tree.Rows().empty());
  EXPECT_EQ(tree.Rows()[0]->Caption, "Host Name");
  EXPECT_EQ(tree.Rows()[0]->Text, list->HostName());
  EXPECT_FALSE(list->HostName().empty());

  // The adapters are the last rows, in list order, each with an address group when it has
  // addresses.
  const size_t first = tree.Rows().size() - static_cast<size_t>(list->Count());
  for (int i = 0; i < list->Count(); ++i) {
    const TNetAdapter& adapter = *list->GetAdapter(i);
    const TInfoRow& row = *tree.Rows()[first + static_cast<size_t>(i)];
    SCOPED_TRACE(adapter.Name());
    EXPECT_EQ(row.Caption, adapter.Name());
    EXPECT_EQ(Child(row, "MAC Address")->Text, adapter.MACAddress());
    const bool speedKnown = adapter.HasInterfaceRow() && adapter.MaxSpeed() != 0;
    EXPECT_EQ(Child(row, "Max Speed")->Text,
              speedKnown ? Format("%.0f Mbps", adapter.MaxSpeed() / 1e6) : "-");
    const TInfoRow* addresses = Child(row, "IP Address");
    ASSERT_EQ(addresses != nullptr, !adapter.IPAddress().empty());
    if (addresses) {
      ASSERT_EQ(addresses->Children().size(), 2 * adapter.IPAddress().size());
      EXPECT_EQ(addresses->Children()[0]->Text, adapter.IPAddress()[0]);
      EXPECT_EQ(addresses->Children()[1]->Text, adapter.IPAddressMask()[0]);
    }
  }
  const std::string report = InfoReportText("Network Adapter", tree);
  EXPECT_EQ(report.rfind("Network Adapter\r\nHost Name,", 0), 0u) << report;
  SaveReport(L"network.csv", "Network Adapter", tree);
}

TEST(InfoPagesWine, SoundPageFromWinesWmi) {
  auto devices = WmiQuery("SELECT * From Win32_SoundDevice");
  ASSERT_TRUE(devices.has_value());
  auto sounds = CreateSoundList(SystemWmi());
  THardwareParts parts;
  parts.sounds = sounds.get();
  TInfoTree tree;
  FillSoundPage(tree, &parts, ProgramPageTexts());
  ASSERT_EQ(tree.Rows().size(), devices->size());
  for (size_t i = 0; i < devices->size(); ++i) {
    EXPECT_EQ(tree.Rows()[i]->Text, (*devices)[i].GetText("Name"));
    EXPECT_EQ(Child(*tree.Rows()[i], "Description")->Text, (*devices)[i].GetText("Description"));
  }
  SaveReport(L"sound.csv", "Sound Card", tree);
}

class ReportFile : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"vsm_report_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::wstring& name : Names()) {
      const std::wstring path = folder_ + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  std::wstring Path(const wchar_t* name) const { return folder_ + L"\\" + name; }

  std::wstring folder_;
};

TEST_F(ReportFile, WritesANewFileAndReplacesAnOldOne) {
  TInfoTree tree;
  tree.Add("Manufacter", "ASUSTeK Computer, Inc.");
  const std::vector<uint8_t> bytes = InfoReportBytes("Mainboard", tree);
  ASSERT_TRUE(WriteFileReplacing(Path(L"board.csv"), bytes));
  EXPECT_EQ(ReadWholeFile(Path(L"board.csv")), bytes);
  const std::vector<uint8_t> shorter = {'x'};
  ASSERT_TRUE(WriteFileReplacing(Path(L"board.csv"), shorter));
  EXPECT_EQ(ReadWholeFile(Path(L"board.csv")), shorter);
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"board.csv"});
}

TEST_F(ReportFile, AFileThatCannotBeWrittenIsLeftAsItWasWithNothingBeside) {
  const std::vector<uint8_t> old = {'o', 'l', 'd'};
  ASSERT_TRUE(WriteFileReplacing(Path(L"locked.csv"), old));
  SetFileAttributesW(Path(L"locked.csv").c_str(), FILE_ATTRIBUTE_READONLY);
  CreateDirectoryW(Path(L"folder.csv").c_str(), nullptr);

  const std::vector<uint8_t> report = {'n', 'e', 'w'};
  EXPECT_FALSE(WriteFileReplacing(Path(L"locked.csv"), report));
  EXPECT_EQ(ReadWholeFile(Path(L"locked.csv")), old);
  EXPECT_FALSE(WriteFileReplacing(Path(L"folder.csv"), report));
  // Open in another program that shares nothing.
  ASSERT_TRUE(WriteFileReplacing(Path(L"open.csv"), old));
  HANDLE open = CreateFileW(Path(L"open.csv").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteFileReplacing(Path(L"open.csv"), report));
  CloseHandle(open);
  EXPECT_EQ(ReadWholeFile(Path(L"open.csv")), old);
  EXPECT_FALSE(WriteFileReplacing(Path(L"missing\\report.csv"), report));
  std::vector<std::wstring> names = Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"folder.csv", L"locked.csv", L"open.csv"}));
}

}  // namespace
}  // namespace vsm
