// A started core with the dispatch fixture components, fixed network adapters (so every UUID has a
// known node), and the calls the dispatch tests share.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fixture_layout.h"
#include "host/core_host.h"
#include "kivo/support/stream_header.h"
#include "platform/network_adapters.h"

namespace dispatch_test {

using dispatch_fixture::ClientRecord;
using dispatch_fixture::TargetRecord;

// A loopback interface, then the Ethernet adapter whose address every UUID's node carries.
inline constexpr std::array<uint8_t, 6> kNodeAddress = {0x02, 0x4B, 0x49, 0x56, 0x4F, 0x01};
std::vector<platform::NetworkAdapter> TestAdapters();

// Bytes of an argument block, built the way the tests expect it.
class Block {
 public:
  // A by-value parameter: one pointer-sized word, the value in the low bytes, the rest zero.
  template <class T>
  Block& Word(T value) {
    static_assert(sizeof(T) <= sizeof(void*));
    uint8_t word[sizeof(void*)] = {};
    std::memcpy(word, &value, sizeof value);
    bytes_.insert(bytes_.end(), word, word + sizeof word);
    return *this;
  }
  // An `in` parameter: the bytes of the value itself.
  template <class T>
  Block& Copy(const T& value) {
    const auto* data = reinterpret_cast<const uint8_t*>(&value);
    bytes_.insert(bytes_.end(), data, data + sizeof value);
    return *this;
  }
  Block& Zeros(size_t count) {
    bytes_.insert(bytes_.end(), count, 0);
    return *this;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  uint32_t size() const { return static_cast<uint32_t>(bytes_.size()); }
  uint8_t* data() { return bytes_.data(); }

 private:
  std::vector<uint8_t> bytes_;
};

class DispatchCore : public tesk::testing::StartedCore {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The fixture component libraries linked into the root before the core starts.
  virtual std::vector<std::string> Fixtures() const;

  // A local instance with a unique name under Root, or null.
  RTInstance Create(const char16_t* className);
  // A forwarded instance made from a header naming the class and the UUID, or null.
  RTInstance Forwarded(const char16_t* className, const RTUUID& uuid, uint32_t word = 1);
  void Release(RTInstance instance);
  RTUUID UuidOf(RTInstance instance);
  // Whether a live instance of the class exists (without creating one).
  bool HasInstance(const char16_t* className);

  RTSuccess Connect(const char16_t* address = u"loopback");
  // The connected client (the reference stays with the connection).
  RTInstance Client();
  ClientRecord& ClientState() {
    return dispatch_fixture::RecordOf<ClientRecord>(Client(), dispatch_fixture::kClientRecord);
  }
  RTSuccess SetLoopTarget(RTInstance target);
  // Releases the client's socket and the connection's client reference.
  void Disconnect();

  // How often the text occurs in the error log.
  size_t ErrorCount(std::string_view text) const;
};

}  // namespace dispatch_test
