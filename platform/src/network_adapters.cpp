#include "platform/network_adapters.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/directory.h"

namespace platform {

namespace {

std::optional<std::vector<NetworkAdapter>> gTestAdapters;

// Linux hardware types (ARPHRD_*) in the interface table's terms.
uint32_t InterfaceType(unsigned hardwareType) {
  switch (hardwareType) {
    case 1: return kEthernetAdapter;
    case 772: return kLoopbackAdapter;
    default: return hardwareType;
  }
}

std::array<uint8_t, 6> ParseAddress(const std::string& text) {
  std::array<uint8_t, 6> address{};
  unsigned bytes[6];
  if (std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x", &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4],
                  &bytes[5]) == 6)
    std::transform(bytes, bytes + 6, address.begin(), [](unsigned b) { return static_cast<uint8_t>(b); });
  return address;
}

std::vector<NetworkAdapter> ReadAdapters() {
  std::vector<std::pair<unsigned, NetworkAdapter>> indexed;
  const std::filesystem::path net = "/sys/class/net";
  for (const auto& entry : ListDirectory(net)) {
    unsigned index = 0;
    unsigned type = 0;
    std::string address;
    std::ifstream(net / entry.name / "ifindex") >> index;
    std::ifstream(net / entry.name / "type") >> type;
    std::ifstream(net / entry.name / "address") >> address;
    indexed.push_back({index, NetworkAdapter{InterfaceType(type), ParseAddress(address)}});
  }
  std::stable_sort(indexed.begin(), indexed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<NetworkAdapter> adapters;
  for (const auto& [index, adapter] : indexed) adapters.push_back(adapter);
  return adapters;
}

}  // namespace

// The interface table is read once per process: UUIDs consult it for every instance.
std::vector<NetworkAdapter> NetworkAdapters() {
  if (gTestAdapters) return *gTestAdapters;
  static const std::vector<NetworkAdapter> adapters = ReadAdapters();
  return adapters;
}

void SetNetworkAdaptersForTest(std::optional<std::vector<NetworkAdapter>> adapters) {
  gTestAdapters = std::move(adapters);
}

}  // namespace platform
