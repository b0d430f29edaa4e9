// The record of the RTFMODAudioService singleton: its device and context, the bank it reads and the
// buffers it made.
#pragma once

#include <AL/alc.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio_buffer.h"
#include "bank/sound_bank.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"

namespace kivo::audio {

inline constexpr uint32_t kServiceStateWord = audio_service::kOwnTable + 4;
inline constexpr uint32_t kServiceObjectSize = kServiceStateWord + 4;

struct ServiceState {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  bool listened = false;            // a loopback device that mixes floats when RenderLoopback asks
  std::vector<InstanceRef> paused;  // the sources PauseAllSounds paused
  float listenerGain = 1.0f;

  // The bank: its entries by upper-cased name, the audio folder its files lie in.
  std::map<std::u16string, BankEntry> bank;
  std::u16string audioFolder;
  // Every buffer made, for the service's life; `decoded` finds those of the current bank by
  // upper-cased name.
  std::vector<std::unique_ptr<RTAudioBuffer>> buffers;
  std::map<std::u16string, RTAudioBuffer*> decoded;
};

inline ServiceState* ServiceOf(RTInstance self) { return StateIn<ServiceState>(self, kServiceStateWord); }

// The bank and buffer operations (service_buffers.cpp).
RTSuccess LoadBank(RTInstance self, const char16_t* bankFile, const char16_t* audioFolder);
RTSuccess GetBuffer(RTInstance self, const char16_t* name, uint32_t reserved, uint32_t mode, RTAudioBuffer** buffer);
RTSuccess GetBufferInfo(RTInstance self, RTAudioBuffer* buffer, RTInstance* info);
RTSuccess WriteBufferRef(RTInstance self, RTInstance stream, RTAudioBuffer* buffer);
RTSuccess ReadBufferRef(RTInstance self, RTInstance stream, RTAudioBuffer** buffer);
// Deletes the OpenAL buffers; the context is current.
void DeleteBuffers(ServiceState& service);

}  // namespace kivo::audio
