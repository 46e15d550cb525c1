// The overview, operating-system, graphics, disk, network and sound pages, each filled from the
// real component objects: disks from real IDENTIFY and SMART blocks, adapters from built IP Helper
// records, cards from the vendor libraries' stand-ins, sound devices and the processor from WMI
// objects, the operating system from a table-made platform.
#include <gtest/gtest.h>

#include "AtaFixtures.h"
#include "FakeGpuLibraries.h"
#include "FakeStorage.h"
#include "GpuScenarios.h"
#include "SMBiosPages.h"
#include "base/text.h"
#include "fake_os_platform.h"
#include "hardware/disk/DiskList.h"
#include "hardware/graphics/GraphicsList.h"
#include "hardware/page/BoardSensorRows.h"
#include "hardware/superio/MainBord.h"
#include "pages/DeviceTexts.h"
#include "pages/InfoReport.h"
#include "pages/NetworkRows.h"
#include "software/network/NetList.h"
#include "sysinfo/SoundList.h"
#include "sysinfo/os/OperatingSystem.h"

namespace vsm {
namespace {

// Every row as the report writes it, without the caption line.
std::string Rows(const TInfoTree& tree) {
  const std::string text = InfoReportText("", tree);
  return text.substr(2);
}

TInfoRow& RowAt(const TInfoTree& tree, std::initializer_list<size_t> path) {
  const TInfoRows* rows = &tree.Rows();
  TInfoRow* row = nullptr;
  for (size_t index : path) {
    row = rows->at(index).get();
    rows = &row->Children();
  }
  return *row;
}

// Each fill on a tree that holds rows, with nothing to show: the tree is emptied and its update
// ended.
TEST(InfoPages, MissingSourcesLeaveAnEmptyTreeWithItsUpdateEnded) {
  const THardwareParts nothing;
  const std::function<void(TInfoTree&, const THardwareParts*)> fills[] = {
      [](TInfoTree& t, const THardwareParts* h) { FillOverviewPage(t, h, 0, {}); },
      [](TInfoTree& t, const THardwareParts* h) { FillProcessorPage(t, h, {}); },
      [](TInfoTree& t, const THardwareParts* h) { FillMemoryPage(t, h, {}); },
      [](TInfoTree& t, const THardwareParts* h) { FillGraphicsPage(t, h, {}); },
      [](TInfoTree& t, const THardwareParts* h) { FillDiskPage(t, h, {}); },
      [](TInfoTree& t, const THardwareParts* h) { FillNetworkPage(t, h, {}); },
      [](TInfoTree& t, const THardwareParts* h) { FillSoundPage(t, h, {}); },
      [](TInfoTree& t, const THardwareParts*) { FillOperatingSystemPage(t, nullptr, {}); },
  };
  for (const auto& fill : fills) {
    for (const THardwareParts* hardware : {static_cast<const THardwareParts*>(nullptr), &nothing}) {
      TInfoTree tree;
      tree.Add("stale row");
      fill(tree, hardware);
      EXPECT_EQ(tree.UpdateCount(), 0);
      // The overview lists the memory even with no components at all.
      EXPECT_LE(tree.Rows().size(), hardware ? 1u : 0u);
    }
  }
}

TEST(InfoPages, OverviewNamesTheFirstOfEachComponent) {
  auto cpu = test::ProcessorFromWmi({{"Name", WmiValue::Text("AMD Ryzen 7 1700")}});
  TGeneralBoard board(DriverChannelFactory{},
                      QueryBaseBoard([](std::string_view, std::string_view) -> std::optional<WmiObjects> {
                        return WmiObjects{{{"Manufacturer", WmiValue::Text("ASUSTeK COMPUTER INC.")},
                                           {"Product", WmiValue::Text("PRIME B350-PLUS")},
                                           {"Version", WmiValue::Text("Rev X.0x")}}};
                      }));
  auto sounds = CreateSoundList([](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    return WmiObjects{{{"Name", WmiValue::Text("Realtek High Definition Audio")}},
                      {{"Name", WmiValue::Text("NVIDIA High Definition Audio")}}};
  });
  TNetList adapters;
  AdapterRecord record;
  record.description = "Intel(R) Ethernet Connection I219-V";
  adapters.Add(std::make_unique<TNetAdapter>(record, std::nullopt));
  THardwareParts parts;
  parts.cpu = cpu.get();
  parts.board = &board;
  parts.sounds = sounds.get();
  parts.netAdapters = &adapters;
  TInfoTree tree;
  FillOverviewPage(tree, &parts, 17179869184, {});
  EXPECT_EQ(tree.RowHeight(), 30);
  EXPECT_EQ(tree.ValueStyle().ValueColumn, 180);
  EXPECT_EQ(Rows(tree),
            "CPU,AMD Ryzen 7 1700\r\n"
            "Mainboard,ASUSTeK COMPUTER INC. PRIME B350-PLUS (Rev X.0x)\r\n"
            "Memory,16.00 GB\r\n"
            "Netword Adapter,Intel(R) Ethernet Connection I219-V\r\n"
            "Sound Card,Realtek High Definition Audio\r\n");

  // A board that names no version gets no empty brackets.
  auto noVersion = [](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    return WmiObjects{
        {{"Manufacturer", WmiValue::Text("Intel Corporation")}, {"Product", WmiValue::Text("DQ77MK")}}};
  };
  TGeneralBoard unversioned(DriverChannelFactory{}, QueryBaseBoard(noVersion));
  THardwareParts boardOnly;
  boardOnly.board = &unversioned;
  FillOverviewPage(tree, &boardOnly, 0, {});
  EXPECT_EQ(tree.Rows().at(0)->Text, "Intel Corporation DQ77MK");
}

std::shared_ptr<test::FakeOsPlatform> Windows10() {
  auto platform = std::make_shared<test::FakeOsPlatform>();
  OsVersionRecord version;
  version.platformId = 2;
  version.majorVersion = 10;
  version.buildNumber = 19045;
  version.productType = 1;
  platform->version = version;
  platform->productType = 48;
  const char* key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  platform->SetReg(RegRoot::LocalMachine, key, "RegisteredOwner", "Alice, \"Admin\"");
  platform->SetReg(RegRoot::LocalMachine, key, "ProductID", "00330-80000-00000-AA123");
  platform->SetReg(RegRoot::LocalMachine, key, "InstallDate", "1500000000");
  platform->locale = {{2, "Deutsch (Deutschland)"},
                      {3, "DEU"},
                      {5, "49"},
                      {0x14, "\u20AC"},
                      {0x15, "EUR"},
                      {0x1F, "dd.MM.yyyy"},
                      {0x20, "dddd, d. MMMM yyyy"}};
  platform->timeZone = TimeZoneInformation{-60, "Mitteleurop\u00E4ische Zeit", {}, 0, "", {}, -60};
  return platform;
}

TEST(InfoPages, OperatingSystemPageFromTheRefreshedObject) {
  TOperatingSystem os(Windows10());
  os.RefreshData();
  TPageTexts texts;
  texts.shortDate = [](TDateTime date) {
    const CalendarDate day = DecodeDate(date);
    return Format("%02d.%02d.%04d", day.day, day.month, day.year);
  };
  TInfoTree tree;
  FillOperatingSystemPage(tree, &os, texts);
  EXPECT_EQ(tree.RowHeight(), 30);
  ASSERT_EQ(tree.Rows().size(), 3u);
  for (const auto& group : tree.Rows()) EXPECT_TRUE(group->Expanded);
  // No organisation, product key or service pack: those rows are left out.
  EXPECT_EQ(Rows(tree), os.OSName() +
                            ",\r\n"
                            "    Product ID,00330-80000-00000-AA123\r\n"
                            "    Registered User,\"Alice, \"\"Admin\"\"\"\r\n"
                            "    Edition," +
                            os.OSEdition() +
                            "\r\n"
                            "    version,10.0.19045\r\n"
                            "    Install Date,14.07.2017\r\n"
                            "Time zone,\r\n"
                            "    Standard Name,Mitteleurop\u00E4ische Zeit\r\n"
                            "    UTC Bias(minutes),-60\r\n"
                            "LOCAL,\r\n"
                            "    Language,Deutsch (Deutschland)\r\n"
                            "    Abbreviate Language,DEU\r\n"
                            "    Country,49\r\n"
                            "    Monetary Symbol,\u20AC\r\n"
                            "    International Monetary Symbol,EUR\r\n"
                            "    Short Date Format,dd.MM.yyyy\r\n"
                            "    Long Date Format,\"dddd, d. MMMM yyyy\"\r\n");
  EXPECT_FALSE(os.OSName().empty());
}

TEST(InfoPages, GraphicsPageWithClocksDisplaysAndLiveRows) {
  fake::TFakeNvApi nv;
  fake::PrepareNvidiaGpuWithDisplay(nv);
  auto list = CreateGraphicsList(nullptr, &nv, {});
  // A card only WMI knows: no clocks, no memory size, no sensor.
  for (auto& card :
       EnumerateWmiCards([](std::string_view, std::string_view wql) -> std::optional<WmiObjects> {
         if (wql.find("Status") == std::string_view::npos) return WmiObjects{};
         return WmiObjects{
             {{"Name", WmiValue::Text("Microsoft Basic Display Adapter")}, {"Status", WmiValue::Text("OK")}}};
       })) {
    list->Add(std::move(card));
  }
  ASSERT_EQ(list->Count(), 2);

  double usage = 37.9;
  THardwareParts parts;
  parts.Graphics = list.get();
  parts.reading = [&usage](int hardwareClass, int index) {
    if (hardwareClass == 4) return index == 0 ? usage : -1.0;
    return hardwareClass == 64 && index == 0 ? 55.0 : 0.0;
  };
  TInfoTree tree;
  FillGraphicsPage(tree, &parts, {});
  const TGraphicsCard& nvidia = *list->GetGraphics(0);
  ASSERT_NE(nvidia.MemoryClock(), 0);
  EXPECT_EQ(Rows(tree),
            nvidia.Name() +
                ",\r\n"
                "    GPU Chip,\r\n"
                "    Engine Clock,810 MHz\r\n"
                "    Memory Clock," +
                std::to_string(nvidia.MemoryClock()) +
                " MHz\r\n"
                "    Activity Percent,\r\n"
                "    Memory Size,1.00 GB\r\n"
                "    Memory type,\r\n"
                "    Technology,\r\n"
                "    Display Name," +
                nvidia.Displays().GetDisplay(0)->Name +
                "\r\n"
                "        Manufactor," +
                nvidia.Displays().GetDisplay(0)->Manufacturer +
                "\r\n"
                "        Color Depth,32 bits\r\n"
                "        Video Mode,2560 \u00D7 1440\r\n"
                "        Refresh Rate,144 Hz\r\n"
                "    Display Name,\r\n"  // a display without a mode
                "        Manufactor,\r\n"
                "        Color Depth,-\r\n"
                "        Video Mode,-\r\n"
                "        Refresh Rate,-\r\n"
                "    Temperature,\r\n"
                "Microsoft Basic Display Adapter,\r\n"
                "    GPU Chip,\r\n"
                "    Engine Clock,-\r\n"
                "    Memory Clock,-\r\n"
                "    Activity Percent,\r\n"
                "    Memory Size,-\r\n"
                "    Memory type,\r\n"
                "    Technology,\r\n");
  TInfoRow& activity = RowAt(tree, {0, 3});
  EXPECT_EQ(activity.Tag, 1);
  EXPECT_EQ(tree.DrawValue(activity), "37%");
  usage = 0.5;
  EXPECT_EQ(tree.DrawValue(activity), "0%");
  EXPECT_EQ(tree.DrawValue(RowAt(tree, {1, 3})), "-");
  TInfoRow& temperature = RowAt(tree, {0, 9});
  EXPECT_EQ(temperature.Tag, 2);
  EXPECT_EQ(temperature.Data, 0);
  EXPECT_EQ(tree.DrawValue(temperature), "55\u00B0C");
}

std::shared_ptr<test::FakeDriveState> Drive(const std::string& fixture) {
  auto state = std::make_shared<test::FakeDriveState>();
  state->identify = test::ata::Identify(fixture);
  state->smart = test::ata::Smart(fixture);
  return state;
}

TEST(InfoPages, DiskPageFromRealIdentifyBlocks) {
  test::FakeVolumeSystem system;
  system.drives[0] = Drive("libblockdev__Hitachi_HDS721010CLA632");
  system.drives[0]->geometry = test::GeometryBytes(121601, 12, 255, 63, 512, 1000204886016);
  system.drives[0]->deviceDescriptor = test::DeviceDescriptorBytes(11, "JP2921HQ0KV1BA", "JP4OA41A");
  system.drives[0]->layout = test::DriveLayoutBytes(0, {{0, 1, 1048576, 104857600}});
  system.drives[1] = Drive("libatasmart__INTEL_SSDSA2MH080G1GC--045C8820");
  system.drives[1]->layout = test::DriveLayoutBytes(0, {{0, 1, 32256, 80000000000}});
  TVolumeDetails mounted;
  mounted.PathName = "C:\\, D:\\Mount\\";
  mounted.VolumeName = "System";
  mounted.FileSystemName = "NTFS";
  mounted.TotalSpace = 104857600;
  mounted.TotalFree = 52428800;
  system.volumes = {{"\\\\?\\Volume{1}\\", {{0, 1048576, 104857600}}, mounted},
                    {"\\\\?\\Volume{2}\\", {{1, 32256, 80000000000}}, {}}};
  auto disks = EnumerateDisks(system);
  ASSERT_EQ(disks->Count(), 2u);
  THardDisk& hitachi = *disks->GetDisk(0);
  THardDisk& intel = *disks->GetDisk(1);

  THardwareParts parts;
  parts.hdds = disks.get();
  parts.reading = [](int hardwareClass, int index) { return hardwareClass == 8 && index == 0 ? 30.0 : 0.0; };
  TInfoTree tree;
  FillDiskPage(tree, &parts, {});
  EXPECT_EQ(hitachi.Size(), 1000204886016u);
  EXPECT_EQ(Rows(tree).substr(0, Rows(tree).find("Partition Number")),
            "Hitachi HDS721010CLA632,\r\n"
            "    Firmware Version,JP4OA41A\r\n"
            "    Serial Number," +
                hitachi.SerialNumber() +
                "\r\n"
                "    size,931.5 GB (1000204886016 bytes)\r\n"
                "    Temperature,\r\n"
                "    Cylinders,121601\r\n"
                "    Tracks Per Cylinder,255\r\n"
                "    Sectors Per Track,63\r\n"
                "    Bytes Per Sector,512\r\n"
                "    SATA Version,\"SATA 3.0, 6.0 Gb/s (current: 6.0 Gb/s)\"\r\n"
                "    ATA Version,ATA8-ACS version 4\r\n"
                "    RMP(R/M),7200\r\n"
                "    Media Type,Fixed hard disk\r\n"
                "    ");
  const TInfoRow& partition = RowAt(tree, {0, 12});
  EXPECT_EQ(partition.Caption, "Partition Number");
  EXPECT_EQ(partition.Text, "1");
  EXPECT_NE(Rows(tree).find("    Partition Number,1\r\n"
                            "        Starting Offset,1048576\r\n"
                            "        Drive,\"C:\\, D:\\Mount\\\"\r\n"
                            "        File System Name,NTFS\r\n"
                            "        Volume Name,System\r\n"
                            "        Total Space,100.0 MB\r\n"
                            "        Free Space,50.00 MB\r\n"),
            std::string::npos)
      << Rows(tree);

  // Drawn as the hardware page draws every row: its board hook first, on a board whose chip has
  // voltage channels 0 and 1, then the row's own value. The disks' rows are no board rows.
  const TBoardArrayReader boardArrays = [](int index) {
    return index == 0 ? TSenorArray{{"Vcore", 1.25}, {"+3.3V", 3.36}} : TSenorArray{};
  };
  auto draw = [&](TInfoRow& row) {
    std::optional<std::string> value = BoardSensorValueText(
        row.Tag, boardArrays, [](double) { return std::string("board"); }, ".");
    return value ? value : tree.DrawValue(row);
  };
  TInfoRow& temperature = RowAt(tree, {0, 3});
  EXPECT_EQ(temperature.Data, reinterpret_cast<intptr_t>(&hitachi));
  EXPECT_EQ(draw(temperature), "30\u00B0C");
  EXPECT_EQ(draw(RowAt(tree, {1, 3})), "-");
  EXPECT_NE(temperature.Tag, RowAt(tree, {1, 3}).Tag);
  EXPECT_NE(Rows(tree).find("    Temperature,30\u00B0C\r\n"), std::string::npos);  // the saved report

  // The solid-state disk: a value-less row instead of the rotation rate.
  EXPECT_EQ(intel.Name(), "INTEL SSDSA2MH080G1GC");
  const TInfoRows& ssd = RowAt(tree, {1}).Children();
  bool sawSsd = false;
  for (const auto& row : ssd) {
    EXPECT_NE(row->Caption, "RMP(R/M)");
    if (row->Caption == "Solid State Device") sawSsd = row->Text.empty();
  }
  EXPECT_TRUE(sawSsd);
}

// An NVMe drive: its interface, and the wear and hours of its health log, which are read again
// when drawn.
TEST(InfoPages, DiskPageOfAnNvmeDrive) {
  test::FakeVolumeSystem system;
  auto nvme = std::make_shared<test::FakeDriveState>();
  nvme->smartEnable = false;
  nvme->geometry = test::GeometryBytes(31130, 12, 255, 63, 512, 256060514304);
  nvme->deviceDescriptor =
      test::DeviceDescriptorBytes(17, "S4EWNX0N123456", "2B2QEXM7", "Samsung SSD 970 EVO 250GB");
  nvme->temperature = test::StorageTemperatureBytes({36});
  nvme->nvmeHealthLog.assign(512, 0);
  PutLe(nvme->nvmeHealthLog, 1, 309, 2);
  nvme->nvmeHealthLog[5] = 3;
  PutLe(nvme->nvmeHealthLog, 128, 1234, 8);
  system.drives[0] = nvme;
  system.volumes = {{"\\\\?\\Volume{1}\\", {{0, 1048576, 104857600}}, {}}};
  auto disks = EnumerateDisks(system);
  ASSERT_EQ(disks->Count(), 1u);

  THardwareParts parts;
  parts.hdds = disks.get();
  parts.reading = [](int, int) { return 36.0; };
  TInfoTree tree;
  FillDiskPage(tree, &parts, {});
  const TInfoRows& rows = RowAt(tree, {0}).Children();
  ASSERT_GE(rows.size(), 7u);
  EXPECT_EQ(RowAt(tree, {0}).Caption, "Samsung SSD 970 EVO 250GB");
  EXPECT_EQ(rows[1]->Text, "S4EWNX0N123456");
  EXPECT_EQ(rows[3]->Caption, "Interface");
  EXPECT_EQ(rows[3]->Text, "NVMe");
  EXPECT_EQ(tree.DrawValue(*rows[4]), "36\u00B0C");
  EXPECT_EQ(rows[5]->Caption, "Percentage Used");
  EXPECT_EQ(tree.DrawValue(*rows[5]), "3%");
  EXPECT_EQ(rows[6]->Caption, "Power-On Hours");
  EXPECT_EQ(tree.DrawValue(*rows[6]), "1234");
  PutLe(nvme->nvmeHealthLog, 128, 1235, 8);
  disks->GetDisk(0)->Update();
  EXPECT_EQ(tree.DrawValue(*rows[6]), "1235");
  EXPECT_EQ(rows[7]->Caption, "Cylinders");
}

TEST(InfoPages, MediaTypeTexts) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0, "unknown"},         {1, "5.25\", 1.2MB"},         {2, "3.5\",  1.44MB"},   {7, "5.25\", 320KB"},
      {8, "5.25\", 320KB"},   {11, "Removable media"},      {12, "Fixed hard disk"}, {14, "3.5\" ,  640KB"},
      {22, "8\",     256KB"}, {25, "3.5\",   32Mb Floppy"}, {26, "unknown"},         {0xFFFFFFFF, "unknown"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(MediaTypeText(code), text) << code;
}

TEST(InfoPages, AdapterTypeAndOperationalStatusTextsAreTranslated) {
  TPageTexts texts;
  texts.translate = [](const std::string& key, const std::string& builtIn) {
    return key == "IEEE802" ? "WLAN" : builtIn;
  };
  EXPECT_EQ(AdapterTypeText(6, texts), "Ethernet");
  EXPECT_EQ(AdapterTypeText(24, texts), "Software Lookback");
  EXPECT_EQ(AdapterTypeText(71, texts), "WLAN");
  EXPECT_EQ(AdapterTypeText(71, {}), "IEEE 802.11 Wireless");
  EXPECT_EQ(AdapterTypeText(53, texts), "Unknown type");
  const std::pair<uint32_t, const char*> states[] = {
      {0, "LAN adapter has been disabled."},
      {1, "WAN adapter that is not connected."},
      {2, "disconnected"},
      {3, "adapter connecting."},
      {4, "connected to a remote peer."},
      {5, "Normal"},
      {6, ""},
      {7, ""},
  };
  for (const auto& [code, text] : states) EXPECT_EQ(OperStatusText(code, {}), text) << code;
}

TEST(InfoPages, NetworkPageFromBuiltAdapterRecords) {
  TNetList list;
  NetworkParamsRecord params;
  params.hostName = "WORKSTATION";
  params.dnsServers = {"192.168.1.1", "8.8.8.8"};
  params.enableDns = true;
  list.SetNetworkParams(params, std::string("corp.example"));  // one suffix for two servers

  AdapterRecord wired;
  wired.description = "Realtek PCIe GbE Family Controller";
  wired.type = 6;
  wired.hardwareAddress = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  wired.dhcpEnabled = true;
  wired.haveWins = false;
  wired.ipAddresses = {{"192.168.1.20", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}};
  wired.gateways = {{"192.168.1.1", "255.255.255.255"}};
  wired.dhcpServers = {{"192.168.1.1", "255.255.255.255"}};
  wired.primaryWins = {{"192.168.1.2", "255.255.255.255"}};
  list.Add(std::make_unique<TNetAdapter>(wired,
                                         InterfaceRowInfo{"\\DEVICE\\TCPIP_{6A1}", 1000000000, 1500, 1, 5}));
  AdapterRecord wireless;
  wireless.description = "Intel(R) Wi-Fi 6 AX201 160MHz";
  wireless.type = 71;
  list.Add(std::make_unique<TNetAdapter>(wireless, InterfaceRowInfo{"", 54000000, 1500, 1, 2}));
  AdapterRecord unqueried;  // its interface row could not be had
  unqueried.description = "TAP-Windows Adapter V9";
  unqueried.type = 6;
  list.Add(std::make_unique<TNetAdapter>(unqueried, std::nullopt));

  THardwareParts parts;
  parts.netAdapters = &list;
  TInfoTree tree;
  FillNetworkPage(tree, &parts, {});
  EXPECT_EQ(Rows(tree),
            "Host Name,WORKSTATION\r\n"
            "DNS Servers,\r\n"
            "    DNS Servers IP,192.168.1.1\r\n"
            "    DNS Suffixes,corp.example\r\n"
            "    DNS Servers IP,8.8.8.8\r\n"
            "    DNS Suffixes,\r\n"
            "Realtek PCIe GbE Family Controller,\r\n"
            "    Device ID,\\DEVICE\\TCPIP_{6A1}\r\n"
            "    Adapter Type,Ethernet\r\n"
            "    MAC Address,00:1A:2B:3C:4D:5E\r\n"
            "    Max Speed,1000 Mbps\r\n"
            "    Oper Status,Normal\r\n"
            "    IP Address,\r\n"
            "        IP Address,192.168.1.20\r\n"
            "        IP Address Mask,255.255.255.0\r\n"
            "        IP Address,10.0.0.5\r\n"
            "        IP Address Mask,255.0.0.0\r\n"
            "    Gateway Address,\r\n"
            "        IP Address,192.168.1.1\r\n"
            "        IP Address Mask,255.255.255.255\r\n"
            "    DHCP Address,\r\n"
            "        IP Address,192.168.1.1\r\n"
            "        IP Address Mask,255.255.255.255\r\n"
            "Intel(R) Wi-Fi 6 AX201 160MHz,\r\n"
            "    Device ID,\r\n"
            "    Adapter Type,IEEE 802.11 Wireless\r\n"
            "    MAC Address,\r\n"
            "    Max Speed,54 Mbps\r\n"
            "    Oper Status,disconnected\r\n"
            "TAP-Windows Adapter V9,\r\n"
            "    Device ID,\r\n"
            "    Adapter Type,Ethernet\r\n"
            "    MAC Address,\r\n"
            "    Max Speed,-\r\n"
            "    Oper Status,-\r\n");
  EXPECT_TRUE(RowAt(tree, {2, 5}).Expanded);   // IP addresses
  EXPECT_FALSE(RowAt(tree, {2, 6}).Expanded);  // gateways
}

TEST(InfoPages, AMaskListShorterThanItsAddressesGivesEmptyMasks) {
  TInfoTree tree;
  TInfoRow& group = tree.Add("IP Address");
  AddAddressPairs(group, {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, {"255.0.0.0"}, {});
  EXPECT_EQ(Rows(tree),
            "IP Address,\r\n"
            "    IP Address,10.0.0.1\r\n    IP Address Mask,255.0.0.0\r\n"
            "    IP Address,10.0.0.2\r\n    IP Address Mask,\r\n"
            "    IP Address,10.0.0.3\r\n    IP Address Mask,\r\n");
}

TEST(InfoPages, SoundPageFromWmiDevices) {
  auto sounds = CreateSoundList([](std::string_view, std::string_view) -> std::optional<WmiObjects> {
    return WmiObjects{{{"Name", WmiValue::Text("Realtek High Definition Audio")},
                       {"Description", WmiValue::Text("Realtek High Definition Audio, \"HDA\"")}},
                      {{"Name", WmiValue::Null()}}};
  });
  THardwareParts parts;
  parts.sounds = sounds.get();
  TInfoTree tree;
  FillSoundPage(tree, &parts, {});
  EXPECT_EQ(Rows(tree),
            "Name,Realtek High Definition Audio\r\n"
            "    Description,\"Realtek High Definition Audio, \"\"HDA\"\"\"\r\n"
            "Name,\r\n"
            "    Description,\r\n");
  EXPECT_TRUE(tree.Rows()[0]->Expanded);
}

}  // namespace
}  // namespace vsm
