// Times what the event thread does per network event: decoding the payload and adding it into the
// per-process totals. The events are a mix of TCP and UDP sends and receives, IPv4 and IPv6, in
// the 64-bit layouts a 32-bit program receives on 64-bit Windows, spread over a few hundred
// processes. Prints the best of a few rounds in events per second.
//   bench_traffic_events [events per round]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "software/etw/NetworkEventDecoder.h"
#include "software/etw/ProcessTrafficCounters.h"

namespace {

using vsm::NetworkEventClass;

struct Event {
  NetworkEventClass eventClass;
  uint8_t opcode;
  std::vector<uint8_t> payload;
};

void Put(std::vector<uint8_t>& bytes, uint64_t value, unsigned width) {
  for (unsigned i = 0; i < width; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Version 2 with 8-byte pointers: PID, size, two addresses, two ports, [two send times], seqnum, connid.
Event MakeEvent(NetworkEventClass eventClass, uint8_t opcode, uint32_t pid, uint32_t size) {
  bool ipv6 = opcode == 26 || opcode == 27;
  bool tcpSend = eventClass == NetworkEventClass::TcpIp && (opcode == 10 || opcode == 26);
  Event event{eventClass, opcode, {}};
  Put(event.payload, pid, 4);
  Put(event.payload, size, 4);
  event.payload.resize(event.payload.size() + (ipv6 ? 32 : 8), 0x11);
  Put(event.payload, 443, 2);
  Put(event.payload, 50123, 2);
  if (tcpSend) Put(event.payload, 0x0102030405060708ull, 8);
  Put(event.payload, 12345, 4);
  Put(event.payload, 0xFFFFA00012345678ull, 8);
  return event;
}

}  // namespace

int main(int argc, char** argv) {
  long events = argc > 1 ? std::atol(argv[1]) : 20'000'000;
  if (events <= 0) {
    std::fprintf(stderr, "usage: bench_traffic_events [events per round]\n");
    return 2;
  }
  const NetworkEventClass classes[] = {NetworkEventClass::TcpIp, NetworkEventClass::UdpIp};
  const uint8_t opcodes[] = {10, 11, 26, 27};
  std::vector<Event> mix;
  for (uint32_t i = 0; i < 4096; ++i) {
    mix.push_back(MakeEvent(classes[i % 2], opcodes[(i / 2) % 4], 1000 + 4 * (i % 300), 64 + i % 1400));
  }

  double best = 0;
  uint64_t checksum = 0;
  for (int round = 0; round < 5; ++round) {
    vsm::TProcessTrafficCounters counters;
    auto start = std::chrono::steady_clock::now();
    for (long n = 0; n < events; ++n) {
      const Event& event = mix[static_cast<size_t>(n) & (mix.size() - 1)];
      auto transfer = vsm::DecodeNetworkEvent(event.eventClass, event.opcode, 2, 8, event.payload);
      if (transfer) counters.Add(*transfer);
    }
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    best = std::max(best, static_cast<double>(events) / seconds.count());
    checksum += counters.Totals(1000)->received + counters.Totals(1000)->sent;  // keeps the work observable
  }
  std::printf("decode + accumulate: %.2f million events/s on one core (%ld events per round, check %llu)\n",
              best / 1e6, events, static_cast<unsigned long long>(checksum));
  return 0;
}
