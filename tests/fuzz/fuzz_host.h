// What the fuzz targets share: the framework core, started once per process on a fresh root (a
// temporary folder) with the staged components a target names and shut down at exit, kept quiet
// (debug output, raised errors and message boxes are dropped, or every input would grow the logs);
// and the run of one input, which aborts when the input leaked core memory or instances.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"

namespace tesk::fuzz {

struct CoreNeeds {
  // Staged components besides the framework's own (tests/host's kFrameworkComponents).
  std::initializer_list<std::string_view> components;
  // The software rasterizer module as the root's rasterizer, its singleton kept for the process.
  bool rasterizer = false;
};

// The process's core; the first call starts it with what it needs, later calls give the same one.
CoreTable& StartCore(const CoreNeeds& needs);

// Keeps the instance until the core stops at exit; the handle stays usable meanwhile.
RTInstance KeepForProcess(kivo::InstanceRef instance);

// A folder of the process's own, removed at exit: the only place a target writes files.
const std::filesystem::path& ScratchFolder();

// Stops the process with the message (a leak, or a harness that cannot run).
[[noreturn]] void Fail(const std::string& what);

// What the instances an input leaves in the world are: a leak of the reader, or what it read (a
// tree, the store's instances), taken back after the input.
enum class LeftInstances { kLeak, kTakenBack };

// Runs one input's reading. When it leaves more core memory blocks or new instances than there
// were, it runs again: what components keep for the process (caches, pools) is made once, so the
// second run must leave no more blocks and no new instance (unless instances are taken back), or
// the process aborts, naming the leak.
void RunInput(const std::function<void()>& read, LeftInstances left = LeftInstances::kLeak);

// A new instance of the class (under Root) reads the bytes through its StreamIn, whole instance,
// as the tree stream and the instance store hand a component its data; run as an input.
void StreamIntoNew(const char16_t* className, const uint8_t* data, size_t size);

}  // namespace tesk::fuzz
