// The machine's network adapters in interface-index order, as the interface table reports them:
// the interface type (6 for Ethernet, 24 for loopback) and the hardware address.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

struct NetworkAdapter {
  uint32_t type;
  std::array<uint8_t, 6> address;
};

inline constexpr uint32_t kEthernetAdapter = 6;
inline constexpr uint32_t kLoopbackAdapter = 24;

// Read from /sys/class/net/*/{ifindex,type,address}, unless a test has set a list.
std::vector<NetworkAdapter> NetworkAdapters();
void SetNetworkAdaptersForTest(std::optional<std::vector<NetworkAdapter>> adapters);

}  // namespace platform
