// The interface between the core and an instance-space client component (class RTISClient): the
// slots the core calls on the client's RTISClient level, on RTSocket and RTISServer, and the
// hooks the core hands the client when it connects.
#pragma once

#include "kivo/types.h"

namespace kivo::instance_space {

enum ClientSlot : uint32_t {
  kClientStart = 0,              // ()
  kClientAttachSocket = 8,       // (RTInstance socket)
  kClientNodeId = 12,            // (uint32_t* id)
  kClientLogIn = 16,             // (const char16_t* user, const char16_t* password)
  kClientCreateRemote = 0x14,    // (uint32_t node, 4 x uint32_t space UUID words, const char16_t* class, RTInstance*)
  kClientLookup = 0x18,          // (const char16_t* path, RTInstance* out)
  kClientServiceHook = 48,       // (ServiceHook)
  kClientCreateRequestHook = 52,   // (CreateRequestHook)
  kClientCreateResponseHook = 56,  // (CreateResponseHook)
  kClientHeaderHook = 60,        // (HeaderHook)
  kClientReceiveHook = 64,       // (ReceiveHook)
  kClientDispatch = 68,          // (const RTUUID*, uint32_t global index, void* block, uint32_t block size)
  kClientService = 76,           // (uint32_t* zero, uint32_t 0)
};
enum SocketSlot : uint32_t { kSocketInit = 36, kSocketListen = 44, kSocketConnect = 48, kSocketConfigure = 56 };
enum ServerSlot : uint32_t { kServerAttachSocket = 0, kServerStart = 4 };

inline constexpr uint32_t kPort = 38000;

using CreateRequestHook = RTSuccess (*)(RTInstance ctx, RTBool keep, uint32_t word, const char16_t* className,
                                        RTInstance stream, RTUUID* uuid, char16_t** path);
using CreateResponseHook = RTSuccess (*)(RTInstance ctx, RTBool local, RTInstance stream, RTInstance* out);
using HeaderHook = RTSuccess (*)(RTInstance ctx, const char16_t* path, RTInstance stream);
using ReceiveHook = RTSuccess (*)(RTInstance ctx, const RTUUID* uuid, uint32_t globalIndex, uint32_t blockSize,
                                  void* block);
using ServiceHook = RTSuccess (*)(RTInstance ctx);

}  // namespace kivo::instance_space
