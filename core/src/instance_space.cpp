#include "instance_space.h"

#include <cstring>
#include <string>

#include "classes.h"
#include "dispatch.h"
#include "instance_tree.h"
#include "instances.h"
#include "kivo/instance_space.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "memory_manager.h"
#include "stream_header.h"

namespace kivo::core {

using namespace kivo::instance_space;

namespace {

constexpr char16_t kClientClass[] = u"RTISClient";
constexpr char16_t kServerClass[] = u"RTISServer";
constexpr char16_t kSocketClass[] = u"RTSocket";
constexpr uint32_t kWholeInstance = component::kStreamWhole;

uint32_t gLocalNodeId = 0xFFFFFFFF;

// The instance the last keeping create request made. It holds no reference, so it is handed out
// only while it is still a live instance of its class with the same UUID.
struct KeptInstance {
  RTInstance instance = nullptr;
  RTComponentHandle component = kNoComponent;
  RTUUID uuid{};
};
KeptInstance gLastLocalInstance;

void Keep(RTInstance instance) {
  gLastLocalInstance = instance ? KeptInstance{instance, instance->component, instance->uuid} : KeptInstance{};
}

RTInstance KeptIfAlive() {
  const KeptInstance& kept = gLastLocalInstance;
  if (!kept.instance) return nullptr;
  RTInstanceIterator* iterator = nullptr;
  RTInstance live = nullptr;
  bool found = false;
  for (RTSuccess more = GetFirstInstance(nullptr, kept.component, &live, 0, &iterator); more;
       more = GetNextInstance(nullptr, &iterator, &live)) {
    found = found || (live == kept.instance && std::memcmp(&live->uuid, &kept.uuid, sizeof kept.uuid) == 0);
    ReleaseInstance(nullptr, live);
  }
  return found ? kept.instance : nullptr;
}

template <class... Params>
RTSuccess CallClient(RTInstance client, MethodSlot<Params...> slot, std::type_identity_t<Params>... args) {
  return CallLevelMethod(client, kClientClass, slot, args...);
}

RTSuccess OnCreateInstanceRequest(RTInstance, RTBool keep, uint32_t, const char16_t* className, RTInstance stream,
                                  RTUUID* uuid, char16_t** path) {
  RTInstance client = nullptr;
  if (!FindISClient(false, &client)) {
    RaiseFormatted(kLevelInstanceSpace, u"ISClientOnCreateInstanceRequest: Unable to get RTISClient.\n");
    return kRTFailure;
  }
  RTInstance instance = nullptr;
  RTStreamHeader* header = nullptr;
  RTSuccess result = kRTFailure;
  if (!CreateInstanceByString(client, className, &instance, 0, 1)) {
    RaiseFormatted(kLevelInstanceSpace, u"ISClientOnCreateInstanceRequest: Unable to create instance by string.\n");
  } else {
    if (keep) Keep(instance);
    if (uuid) *uuid = instance->uuid;
    char16_t* name = nullptr;
    component::GetName(instance, &name);
    SetInstanceName(nullptr, instance, Format(u"%s_%u", name ? name : u"", gLocalNodeId).c_str());
    ArrayFree(nullptr, name);
    if (!BuildStreamHeader(nullptr, instance, kWholeInstance, &header)) {
      RaiseFormatted(kLevelInstanceSpace,
                     u"ISClientOnCreateInstanceRequest: Unable to create instance stream header.\n");
    } else if (!WriteStreamHeader(nullptr, header, stream)) {
      RaiseFormatted(kLevelInstanceSpace,
                     u"ISClientOnCreateInstanceRequest: Unable to stream header to stream instance.\n");
    } else {
      if (path) {
        *path = header->path;
        header->path = nullptr;
      }
      result = kRTSuccess;
    }
    // Nobody learns of an instance whose header did not go out.
    if (!result) {
      if (keep) Keep(nullptr);
      ReleaseInstance(nullptr, instance);
    }
  }
  FreeStreamHeader(nullptr, header);
  ReleaseInstance(nullptr, client);
  return result;
}

RTSuccess OnCreateInstanceResponse(RTInstance, RTBool local, RTInstance stream, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  RTInstance client = nullptr;
  if (!FindISClient(false, &client)) {
    RaiseFormatted(kLevelInstanceSpace, u"ISClientOnCreateInstanceRequest: Unable to get RTISClient.\n");
    return kRTFailure;
  }
  ReleaseInstance(nullptr, client);
  RTStreamHeader* header = nullptr;
  RTSuccess result = kRTFailure;
  if (!ReadStreamHeader(nullptr, stream, &header)) {
    RaiseFormatted(kLevelInstanceSpace,
                   u"ISClientOnCreateInstanceResponce: Unable to stream instance header in. Bad stream?\n");
  } else if (local) {
    *out = KeptIfAlive();
    result = *out ? kRTSuccess : kRTFailure;
  } else if (!CreateInstanceFromHeader(nullptr, header, out, 1)) {
    RaiseFormatted(kLevelInstanceSpace,
                   u"ISClientOnCreateInstanceResponce: Unable to create dispatched instance from stream header.\n");
  } else {
    result = kRTSuccess;
  }
  FreeStreamHeader(nullptr, header);
  return result;
}

RTSuccess OnHeaderByPath(RTInstance, const char16_t* path, RTInstance stream) {
  RTInstance instance = nullptr;
  RTStreamHeader* header = nullptr;
  if (!GetInstanceByName(nullptr, path, &instance, 0)) return kRTFailure;
  const RTSuccess built = BuildStreamHeader(nullptr, instance, kWholeInstance, &header);
  ReleaseInstance(nullptr, instance);
  const RTSuccess result = built ? WriteStreamHeader(nullptr, header, stream) : kRTFailure;
  FreeStreamHeader(nullptr, header);
  return result;
}

RTSuccess OnReceiveCall(RTInstance ctx, const RTUUID* uuid, uint32_t globalIndex, uint32_t blockSize, void* block) {
  RTInstance instance = nullptr;
  if (!GetInstanceByUUID(ctx, uuid, &instance)) return kRTFailure;
  const RTSuccess result = ReceiveDispatch(ctx, instance, globalIndex, block, blockSize);
  ReleaseInstance(ctx, instance);
  return result;
}

RTSuccess OnService(RTInstance) { return ServiceInstanceSpaceClient(); }

bool InstallHooks(RTInstance client) {
  return CallClient(client, kClientCreateRequestHook, CreateRequestHook{OnCreateInstanceRequest}) &&
         CallClient(client, kClientCreateResponseHook, CreateResponseHook{OnCreateInstanceResponse}) &&
         CallClient(client, kClientHeaderHook, HeaderHook{OnHeaderByPath}) &&
         CallClient(client, kClientReceiveHook, ReceiveHook{OnReceiveCall}) &&
         CallClient(client, kClientServiceHook, ServiceHook{OnService});
}

}  // namespace

RTSuccess FindISClient(bool create, RTInstance* out) {
  return GetFirstInstanceByString(nullptr, kClientClass, out, create ? 1 : 0, nullptr);
}

RTSuccess ISClientCreateRemote(const char16_t* className, RTInstance* out) {
  RTInstance client = nullptr;
  if (!FindISClient(true, &client)) {
    RaiseFormatted(kLevelInstanceSpace, u"CreateInstanceByString: Unable to get the instance space client instance.");
    return kRTFailure;
  }
  uint32_t node = 0;
  RTSuccess result = kRTFailure;
  if (!GetLocalNodeID(nullptr, &node)) {
    RaiseFormatted(kLevelInstanceSpace, u"CreateInstanceByString: Unable to get local node ID.");
  } else {
    const RTUUID& space = client->uuid;
    result = CallClient(client, kClientCreateRemote, node, space.timeLow,
                        uint32_t{space.timeMid} | uint32_t{space.timeHiAndVersion} << 16,
                        uint32_t{space.clockSeqHiAndReserved} | uint32_t{space.clockSeqLow} << 8 |
                            uint32_t{space.node[0]} << 16 | uint32_t{space.node[1]} << 24,
                        uint32_t{space.node[2]} | uint32_t{space.node[3]} << 8 | uint32_t{space.node[4]} << 16 |
                            uint32_t{space.node[5]} << 24,
                        className, out);
    if (!result)
      RaiseFormatted(kLevelInstanceSpace,
                     u"CreateInstanceByString: Unable to create the instance requested on the instance space.");
  }
  ReleaseInstance(nullptr, client);
  return result;
}

RTSuccess ISClientLookup(const char16_t* path, RTInstance* out) {
  RTInstance client = nullptr;
  if (!FindISClient(true, &client)) {
    RaiseFormatted(kLevelInstanceSpace, u"GetInstanceByName: Unable to get the instance space client instance.");
    return kRTFailure;
  }
  const RTSuccess result = CallClient(client, kClientLookup, path, out);
  if (!result)
    RaiseFormatted(kLevelInstanceSpace, u"GetInstanceByName: Unable to get the requested instance on the instance space.");
  ReleaseInstance(nullptr, client);
  return result;
}

RTSuccess ISClientDispatch(RTInstance client, const RTUUID& uuid, uint32_t globalIndex, void* block,
                           uint32_t blockSize) {
  return CallClient(client, kClientDispatch, &uuid, globalIndex, block, blockSize);
}

// The connection keeps the client reference taken here, and the client the socket it was given.
// A connection that fails before the client has the socket gives both back.
RTSuccess ConnectInstanceSpace(RTInstance, uintptr_t, uintptr_t, uintptr_t, const char16_t* address) {
  RTInstance client = nullptr;
  RTInstance socket = nullptr;
  if (!FindISClient(true, &client)) return kRTFailure;
  const auto socketReady = [&] {
    if (!CreateInstanceByString(client, kSocketClass, &socket, 0, 1)) return false;
    CallLevelMethod(socket, kSocketClass, kSocketInit, uint32_t{0});
    if (!CallLevelMethod(socket, kSocketClass, kSocketConnect, address, kPort)) return false;
    uint32_t zero = 0;
    CallLevelMethod(socket, kSocketClass, kSocketConfigure, uint32_t{0}, &zero);
    return true;
  };
  if (!socketReady() || !InstallHooks(client) || !CallClient(client, kClientAttachSocket, socket)) {
    if (socket) ReleaseInstance(nullptr, socket);
    ReleaseInstance(nullptr, client);
    return kRTFailure;
  }
  return CallClient(client, kClientStart) && CallClient(client, kClientLogIn, u"user", u"wolk") &&
                 CallClient(client, kClientNodeId, &gLocalNodeId)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess InstanceSpaceClientNop() { return kRTSuccess; }

// As with a connection: the server keeps the reference taken here and the socket it was given, and
// a server that fails before it has the socket gives both back.
RTSuccess StartInstanceSpaceServer(RTInstance, uintptr_t, uintptr_t, const char16_t* address) {
  RTInstance server = nullptr;
  RTInstance socket = nullptr;
  if (!GetFirstInstanceByString(nullptr, kServerClass, &server, 1, nullptr)) return kRTFailure;
  if (CreateInstanceByString(server, kSocketClass, &socket, 0, 1)) {
    CallLevelMethod(socket, kSocketClass, kSocketInit, uint32_t{0});
    CallLevelMethod(socket, kSocketClass, kSocketListen, address, kPort);
  }
  if (!socket || !CallLevelMethod(server, kServerClass, kServerAttachSocket, socket)) {
    if (socket) ReleaseInstance(nullptr, socket);
    ReleaseInstance(nullptr, server);
    return kRTFailure;
  }
  if (!CallLevelMethod(server, kServerClass, kServerStart)) {
    RaiseFormatted(kLevelInstanceSpace, u"Error: CreateIS: ISServer failed to start.\n");
    return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess InstanceSpaceServerNop() { return kRTSuccess; }

RTSuccess GetLocalNodeID(RTInstance, uint32_t* id) {
  if (!id) return kRTFailure;
  *id = 0xFFFFFFFF;
  RTInstance client = nullptr;
  if (!FindISClient(false, &client)) return kRTFailure;
  const RTSuccess result = CallClient(client, kClientNodeId, id);
  ReleaseInstance(nullptr, client);
  return result;
}

RTSuccess ServiceInstanceSpaceClient() {
  RTInstance client = nullptr;
  if (!FindISClient(false, &client)) return kRTSuccess;
  uint32_t zero = 0;
  CallClient(client, kClientService, &zero, uint32_t{0});
  ReleaseInstance(nullptr, client);
  return kRTSuccess;
}

}  // namespace kivo::core
