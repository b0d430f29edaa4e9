// RTFMODAudioService: the game's audio service over OpenAL (see audio_service_calls.h). It owns the
// device and its context, which the sources of RTAudioSource play in. The default device is opened;
// with no sound card that is OpenAL Soft's null device (playback_drivers.h), which plays nothing.
// When no device opens at all (a driver list of the user's that fails) the service opens OpenAL
// Soft's loopback device instead, which mixes only on request and so is silent too. Either way the
// service reports once that the game goes on without sound.
//
// The program never destroys the service, so the devices still open when the process ends are
// closed then, before OpenAL Soft's own clean-up (which complains of every device left open).
//
// The bank and its buffers are service_buffers.cpp. Levels: a source sounds at its volume times the
// listener gain that Update hands it, or at its SetGain level (rt_audio_source.cpp); world-placed
// sources fade with OpenAL's inverse-distance model.
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <array>
#include <cstring>
#include <vector>

#include "kivo/support/raise.h"
#include "playback_drivers.h"
#include "service_state.h"

namespace {

using namespace kivo;
using kivo::audio::ServiceState;
namespace slot = kivo::audio_service;
namespace source = kivo::audio_source;

constexpr ALCint kSilentRate = 44100;
constexpr char kNullDeviceName[] = "No Output";  // OpenAL Soft's null device

ServiceState* StateOf(RTInstance self) { return kivo::audio::ServiceOf(self); }

RTSuccess Construct(RTInstance self) {
  return MakeState<ServiceState>(self, kivo::audio::kServiceStateWord) ? kRTSuccess : kRTFailure;
}

void CloseDevice(ServiceState& service);

// The services with a device open; those left at the process's end are closed then.
struct OpenServices {
  std::vector<ServiceState*> services;
  ~OpenServices() {
    while (!services.empty()) CloseDevice(*services.back());
  }
};
OpenServices gOpen;

void CloseDevice(ServiceState& service) {
  if (service.context) {
    if (alcMakeContextCurrent(service.context)) kivo::audio::DeleteBuffers(service);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(service.context);
  }
  if (service.device) alcCloseDevice(service.device);
  service.context = nullptr;
  service.device = nullptr;
  std::erase(gOpen.services, &service);
}

RTSuccess Destroy(RTInstance self) {
  if (ServiceState* service = StateOf(self)) {
    service->paused.clear();
    CloseDevice(*service);
  }
  EndState<ServiceState>(self, kivo::audio::kServiceStateWord);
  return kRTSuccess;
}

bool IsNullDevice(ALCdevice* device) {
  const ALCchar* name = alcGetString(device, ALC_ALL_DEVICES_SPECIFIER);
  return name && std::strcmp(name, kNullDeviceName) == 0;
}

ALCdevice* OpenLoopbackDevice() {
  if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return nullptr;
  auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  return open ? open(nullptr) : nullptr;
}

// A loopback device needs its mixing format in the context's attributes; the one that tests listen
// to mixes floats without HRTF, so that levels read back as they were set.
ALCcontext* MakeContext(ALCdevice* device, bool silent, bool listened) {
  const std::array<ALCint, 7> loopback = {
      ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT, ALC_FREQUENCY, kSilentRate, 0};
  const std::array<ALCint, 9> listenedTo = {ALC_FORMAT_CHANNELS_SOFT,
                                            ALC_STEREO_SOFT,
                                            ALC_FORMAT_TYPE_SOFT,
                                            ALC_FLOAT_SOFT,
                                            ALC_FREQUENCY,
                                            static_cast<ALCint>(slot::kLoopbackRate),
                                            ALC_HRTF_SOFT,
                                            ALC_FALSE,
                                            0};
  if (listened) return alcCreateContext(device, listenedTo.data());
  return alcCreateContext(device, silent ? loopback.data() : nullptr);
}

// Makes the device's context current with the project's distance rule; false after reporting.
bool StartContext(ServiceState& service, bool silent, bool listened) {
  gOpen.services.push_back(&service);
  service.context = MakeContext(service.device, silent, listened);
  if (!service.context || !alcMakeContextCurrent(service.context)) {
    ModuleCore()->RaiseError(nullptr, u"RTFMODAudioService::InitDevice(): no sound device context could be made",
                             kLevelError);
    CloseDevice(service);
    return false;
  }
  alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
  service.listened = listened;
  return true;
}

RTSuccess InitDevice(RTInstance self) {
  ServiceState* service = StateOf(self);
  if (!service) return kRTFailure;
  if (service->context) return kRTSuccess;
  kivo::audio::ChoosePlaybackDrivers();
  service->device = alcOpenDevice(nullptr);
  const bool loopback = !service->device;
  if (loopback) service->device = OpenLoopbackDevice();
  if (loopback || IsNullDevice(service->device))
    ModuleCore()->RaiseError(nullptr,
                             u"RTFMODAudioService::InitDevice(): no sound device could be opened; the game "
                             u"goes on without sound",
                             kLevelError);
  if (!service->device) {
    ModuleCore()->RaiseError(nullptr, u"RTFMODAudioService::InitDevice(): no sound device context could be made",
                             kLevelError);
    return kRTFailure;
  }
  return StartContext(*service, loopback, false) ? kRTSuccess : kRTFailure;
}

RTSuccess OpenLoopback(RTInstance self) {
  ServiceState* service = StateOf(self);
  if (!service) return kRTFailure;
  if (service->context) return service->listened ? kRTSuccess : kRTFailure;
  service->device = OpenLoopbackDevice();
  if (!service->device) {
    ModuleCore()->RaiseError(nullptr, u"RTFMODAudioService::OpenLoopbackDevice(): OpenAL has no loopback device",
                             kLevelError);
    return kRTFailure;
  }
  return StartContext(*service, true, true) ? kRTSuccess : kRTFailure;
}

RTSuccess RenderLoopback(RTInstance self, uint32_t frames, float* out) {
  ServiceState* service = StateOf(self);
  if (!service || !service->listened || !out) return kRTFailure;
  static const auto render =
      reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
  if (!render) return kRTFailure;
  render(service->device, out, static_cast<ALCsizei>(frames));
  return kRTSuccess;
}

// Every live source, each with a reference of its own.
std::vector<InstanceRef> LiveSources() {
  std::vector<InstanceRef> sources;
  RTInstanceIterator* at = nullptr;
  RTInstance found = nullptr;
  if (!ModuleCore()->GetFirstInstanceByString(nullptr, source::kClassName, &found, 0, &at)) return sources;
  do sources.emplace_back(found);
  while (ModuleCore()->GetNextInstance(nullptr, &at, &found));
  return sources;
}

RTSuccess PauseAllSounds(RTInstance self) {
  ServiceState* service = StateOf(self);
  if (!service) return kRTFailure;
  for (InstanceRef& live : LiveSources()) {
    uint32_t state = source::kStopped;
    if (source::GetSourceState(live.get(), &state) && state == source::kPlaying && source::PauseSource(live.get()))
      service->paused.push_back(std::move(live));
  }
  return kRTSuccess;
}

RTSuccess ResumeAllSounds(RTInstance self) {
  ServiceState* service = StateOf(self);
  if (!service) return kRTFailure;
  for (const InstanceRef& paused : service->paused) {
    uint32_t state = source::kStopped;
    if (source::GetSourceState(paused.get(), &state) && state == source::kPaused) source::Play(paused.get());
  }
  service->paused.clear();
  return kRTSuccess;
}

// The listener stands at the matrix's position and faces along minus its z axis (the way a camera
// node looks), its y axis up. Without a device context there is no listener to place.
RTSuccess SetListenerMatrix(RTInstance self, const RTFMatrix4x4* world) {
  ServiceState* service = StateOf(self);
  if (!service || !world) return kRTFailure;
  if (!service->context || alcGetCurrentContext() != service->context) return kRTSuccess;
  const auto& m = world->m;
  const std::array<ALfloat, 6> orientation = {-m[2][0], -m[2][1], -m[2][2], m[1][0], m[1][1], m[1][2]};
  alListener3f(AL_POSITION, m[3][0], m[3][1], m[3][2]);
  alListenerfv(AL_ORIENTATION, orientation.data());
  return alGetError() == AL_NO_ERROR ? kRTSuccess : kRTFailure;
}

RTSuccess SetListenerGain(RTInstance self, float gain) {
  ServiceState* service = StateOf(self);
  if (!service) return kRTFailure;
  service->listenerGain = gain;
  return kRTSuccess;
}

RTSuccess Update(RTInstance self) {
  ServiceState* service = StateOf(self);
  if (!service) return kRTFailure;
  for (const InstanceRef& live : LiveSources()) source::SetListenerGain(live.get(), service->listenerGain);
  return kRTSuccess;
}

constexpr PublishedMethod kPublished[] = {
#define KIVO_AUDIO_SERVICE_PUBLISHED(name, offset) {u"" #name, offset},
    KIVO_AUDIO_SERVICE_METHODS(KIVO_AUDIO_SERVICE_PUBLISHED)
#undef KIVO_AUDIO_SERVICE_PUBLISHED
};
auto gMethods = PublishedMethodTable(
    kPublished,
    {Built(slot::kWriteBufferRef, kivo::audio::WriteBufferRef), Built(slot::kReadBufferRef, kivo::audio::ReadBufferRef),
     Built(slot::kSetListenerGain, SetListenerGain), Built(slot::kSetListenerMatrix, SetListenerMatrix),
     Built(slot::kUpdate, Update), Built(slot::kGetBuffer, kivo::audio::GetBuffer),
     Built(slot::kGetBufferInfo, kivo::audio::GetBufferInfo), Built(slot::kInitDevice, InitDevice),
     Built(slot::kLoadBank, kivo::audio::LoadBank), Built(slot::kPauseAllSounds, PauseAllSounds),
     Built(slot::kResumeAllSounds, ResumeAllSounds), Built(slot::kOpenLoopbackDevice, OpenLoopback),
     Built(slot::kRenderLoopback, RenderLoopback)});

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The game's audio service over OpenAL: the sound device, the sound bank and its buffers",
    .singleton = true,
    .objectSize = kivo::audio::kServiceObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods.data(),
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
