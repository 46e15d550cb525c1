#include "software/InterfaceTraffic_win.h"

#include <algorithm>
#include <cstddef>

#include "software/network/IpHelper_win.h"

namespace vsm {

namespace {

InterfaceCounters FromRow2(const MIB_IF_ROW2& row) {
  InterfaceCounters counters;
  counters.key = row.InterfaceLuid.Value;
  counters.loopback = row.Type == IF_TYPE_SOFTWARE_LOOPBACK;
  counters.operational = row.OperStatus == IfOperStatusUp;
  counters.hardware = row.InterfaceAndOperStatusFlags.HardwareInterface != FALSE;
  counters.filter = row.InterfaceAndOperStatusFlags.FilterInterface != FALSE;
  counters.tunnel = row.Type == IF_TYPE_TUNNEL || row.TunnelType != TUNNEL_TYPE_NONE;
  counters.inOctets = row.InOctets;
  counters.outOctets = row.OutOctets;
  return counters;
}

InterfaceCounters FromRow(const MIB_IFROW& row) {
  InterfaceCounters counters;
  counters.key = row.dwIndex;
  counters.loopback = row.dwType == IF_TYPE_SOFTWARE_LOOPBACK;
  // Connected is how a dial-up (WAN) link reports that it is up.
  counters.operational =
      row.dwOperStatus == MIB_IF_OPER_STATUS_OPERATIONAL || row.dwOperStatus == MIB_IF_OPER_STATUS_CONNECTED;
  counters.tunnel = row.dwType == IF_TYPE_TUNNEL;
  counters.counters32 = true;
  counters.inOctets = row.dwInOctets;
  counters.outOctets = row.dwOutOctets;
  return counters;
}

}  // namespace

std::optional<std::vector<InterfaceCounters>> ReadInterfaceTable2() {
  MIB_IF_TABLE2* table = nullptr;
  if (IpHelperGetIfTable2(&table) != NO_ERROR || table == nullptr) return std::nullopt;
  std::vector<InterfaceCounters> rows;
  for (ULONG i = 0; i < table->NumEntries; ++i) rows.push_back(FromRow2(table->Table[i]));
  IpHelperFreeMibTable(table);
  return rows;
}

std::optional<std::vector<InterfaceCounters>> ReadInterfaceTable() {
  // The table can grow between the size query and the read; a few rounds are enough.
  ULONG size = 0;
  std::vector<uint8_t> buffer;
  DWORD error = ERROR_INSUFFICIENT_BUFFER;
  for (int round = 0; round < 4 && error == ERROR_INSUFFICIENT_BUFFER; ++round) {
    buffer.assign(std::max<ULONG>(size, sizeof(MIB_IFTABLE)), 0);
    size = static_cast<ULONG>(buffer.size());
    error = IpHelperGetIfTable(reinterpret_cast<MIB_IFTABLE*>(buffer.data()), &size, FALSE);
  }
  if (error != NO_ERROR) return std::nullopt;
  const auto* table = reinterpret_cast<const MIB_IFTABLE*>(buffer.data());
  size_t room = (buffer.size() - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
  size_t count = std::min<size_t>(table->dwNumEntries, room);
  std::vector<InterfaceCounters> rows;
  for (size_t i = 0; i < count; ++i) rows.push_back(FromRow(table->table[i]));
  return rows;
}

std::optional<std::vector<InterfaceCounters>> ReadInterfaceCounters() {
  if (HasIfTable2()) return ReadInterfaceTable2();
  return ReadInterfaceTable();
}

}  // namespace vsm
