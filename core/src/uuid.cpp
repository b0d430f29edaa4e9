#include "uuid.h"

#include <array>
#include <cstdint>
#include <new>
#include <random>
#include <vector>

#include "kivo/support/raise.h"
#include "platform/clock.h"
#include "platform/network_adapters.h"

namespace kivo::core {

namespace {

// 100-nanosecond intervals from 1582-10-15 (the UUID epoch) to 1601-01-01.
constexpr uint64_t kGregorianToFileTime = 5748192000000000ull;
// At most this many UUIDs share one clock tick; then generation waits for the clock.
constexpr uint32_t kUuidsPerTick = 1024;

struct Generator {
  bool initialised = false;
  uint64_t lastTime = 0;
  uint32_t counter = 0;
  uint16_t clockSequence = 0;
  uint64_t lastGeneration = 0;
};
Generator gGenerator;

uint64_t ReadUuidTime() { return platform::SystemFileTime() + kGregorianToFileTime; }

uint64_t NextUuidTime(Generator& g) {
  uint64_t now;
  for (;;) {
    now = ReadUuidTime();
    if (now != g.lastTime) {
      g.counter = 0;
      break;
    }
    if (g.counter < kUuidsPerTick) {
      ++g.counter;
      break;
    }
  }
  g.lastTime = now;
  return now + g.counter;
}

// The interface table's addresses: Ethernet rows with an unusable address are skipped, other
// kinds of interface count with a zero address.
std::vector<std::array<uint8_t, 6>> NodeAddresses() {
  std::vector<std::array<uint8_t, 6>> nodes;
  for (const auto& adapter : platform::NetworkAdapters()) {
    if (adapter.type != platform::kEthernetAdapter) {
      nodes.push_back({});
      continue;
    }
    const auto& a = adapter.address;
    const bool zero = a == std::array<uint8_t, 6>{};
    const bool placeholder = a[0] == 'D' && a[1] == 'E' && a[2] == 'S' && a[3] == 'T' && a[4] == 0;
    if (!zero && !placeholder) nodes.push_back(a);
  }
  return nodes;
}

}  // namespace

RTSuccess UUIDGenerate(RTInstance, RTUUID* uuid) {
  if (!uuid) return kRTFailure;
  Generator& g = gGenerator;
  if (!g.initialised) {
    std::mt19937 twister(0);
    g.clockSequence = static_cast<uint16_t>(twister() & 0xFFFF);
    g.initialised = true;
    g.lastTime = ReadUuidTime();
    g.counter = kUuidsPerTick;
  }
  const uint64_t time = NextUuidTime(g);
  if (time < g.lastGeneration) {
    g.clockSequence = static_cast<uint16_t>((g.clockSequence + 1) & 0x3FFF);
    if (g.clockSequence == 0) g.clockSequence = 1;
  }
  uuid->timeLow = static_cast<uint32_t>(time);
  uuid->timeMid = static_cast<uint16_t>(time >> 32);
  uuid->timeHiAndVersion = static_cast<uint16_t>(((time >> 48) & 0x0FFF) | 0x1000);
  uuid->clockSeqHiAndReserved = static_cast<uint8_t>(((g.clockSequence >> 8) & 0x3F) | 0x80);
  uuid->clockSeqLow = static_cast<uint8_t>(g.clockSequence);

  const auto nodes = NodeAddresses();
  if (nodes.size() < 2) {
    RaiseFormatted(kLevelError, u"[CORE.UUIDGenerate] Unable to get node entry (a MAC address was not available).");
    return kRTFailure;
  }
  std::copy(nodes[1].begin(), nodes[1].end(), uuid->node);
  g.lastGeneration = time;
  return kRTSuccess;
}

RTSuccess UUIDCreate(RTInstance ctx, RTUUID** out) {
  if (!out) return kRTFailure;
  *out = new (std::nothrow) RTUUID{};
  if (!*out) return kRTFailure;
  UUIDGenerate(ctx, *out);
  return kRTSuccess;
}

RTSuccess UUIDFree(RTInstance, RTUUID* uuid) {
  delete uuid;
  return kRTSuccess;
}

RTSuccess UUIDCompare(RTInstance, const RTUUID* a, const RTUUID* b, int32_t* order) {
  if (!a || !b || !order) return kRTFailure;
  auto compare = [](uint32_t x, uint32_t y) { return x < y ? -1 : x > y ? 1 : 0; };
  int32_t result = compare(a->timeLow, b->timeLow);
  if (!result) result = compare(a->timeMid, b->timeMid);
  if (!result) result = compare(a->timeHiAndVersion, b->timeHiAndVersion);
  if (!result) result = compare(a->clockSeqHiAndReserved, b->clockSeqHiAndReserved);
  if (!result) result = compare(a->clockSeqLow, b->clockSeqLow);
  for (int i = 0; !result && i < 6; ++i) result = compare(a->node[i], b->node[i]);
  *order = result;
  return kRTSuccess;
}

}  // namespace kivo::core
