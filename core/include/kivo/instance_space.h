// The interface between the core and an instance-space client component (class RTISClient): the
// slots the core calls on the client's RTISClient level, on RTSocket and RTISServer, and the
// hooks the core hands the client when it connects.
#pragma once

#include "kivo/slots.h"
#include "kivo/types.h"

namespace kivo::instance_space {

using CreateRequestHook = RTSuccess (*)(RTInstance ctx, RTBool keep, uint32_t word, const char16_t* className,
                                        RTInstance stream, RTUUID* uuid, char16_t** path);
using CreateResponseHook = RTSuccess (*)(RTInstance ctx, RTBool local, RTInstance stream, RTInstance* out);
using HeaderHook = RTSuccess (*)(RTInstance ctx, const char16_t* path, RTInstance stream);
using ReceiveHook = RTSuccess (*)(RTInstance ctx, const RTUUID* uuid, uint32_t globalIndex, uint32_t blockSize,
                                  void* block);
using ServiceHook = RTSuccess (*)(RTInstance ctx);

// RTISClient level.
inline constexpr MethodSlot<> kClientStart{0};
inline constexpr MethodSlot<RTInstance> kClientAttachSocket{8};  // (socket)
inline constexpr MethodSlot<uint32_t*> kClientNodeId{12};
inline constexpr MethodSlot<const char16_t*, const char16_t*> kClientLogIn{16};  // (user, password)
// (node, the four words of the space's UUID, class name, out instance)
inline constexpr MethodSlot<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, const char16_t*, RTInstance*>
    kClientCreateRemote{0x14};
inline constexpr MethodSlot<const char16_t*, RTInstance*> kClientLookup{0x18};  // (path, out instance)
inline constexpr MethodSlot<ServiceHook> kClientServiceHook{48};
inline constexpr MethodSlot<CreateRequestHook> kClientCreateRequestHook{52};
inline constexpr MethodSlot<CreateResponseHook> kClientCreateResponseHook{56};
inline constexpr MethodSlot<HeaderHook> kClientHeaderHook{60};
inline constexpr MethodSlot<ReceiveHook> kClientReceiveHook{64};
// (UUID, global method index, argument block, block size)
inline constexpr MethodSlot<const RTUUID*, uint32_t, void*, uint32_t> kClientDispatch{68};
inline constexpr MethodSlot<uint32_t*, uint32_t> kClientService{76};  // (zero, 0)

// RTSocket level.
inline constexpr MethodSlot<uint32_t> kSocketInit{36};                        // (flags)
inline constexpr MethodSlot<const char16_t*, uint32_t> kSocketListen{44};     // (address, port)
inline constexpr MethodSlot<const char16_t*, uint32_t> kSocketConnect{48};    // (address, port)
inline constexpr MethodSlot<uint32_t, uint32_t*> kSocketConfigure{56};        // (flags, value)

// RTISServer level.
inline constexpr MethodSlot<RTInstance> kServerAttachSocket{0};  // (socket)
inline constexpr MethodSlot<> kServerStart{4};

inline constexpr uint32_t kPort = 38000;

}  // namespace kivo::instance_space
