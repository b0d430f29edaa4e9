// A started core with the test fixture components and short helpers for instance tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/core_host.h"
#include "kivo/slots.h"

namespace tesk::testing {

class InstanceTest : public StartedCore {
 protected:
  // The instance tree as the core alone makes it: no host holds the store, which comes with its
  // first user and goes with its last.
  void InstallComponents(CoreHost& host) override {
    host.SetHoldsStore(false);
    for (const char* fixture : {"fixture_Varno.so", "fixture_Single.so", "fixture_Datum.so", "fixture_DatumCopy.so"})
      host.InstallComponent(std::filesystem::path(CORE_FIXTURE_DIR) / fixture);
  }

  RTInstance Create(const char16_t* className, RTInstance parent = nullptr, RTBool unique = 1) {
    RTInstance instance = nullptr;
    EXPECT_EQ(core().CreateInstanceByString(parent, className, &instance, 0, unique), kRTSuccess) << "create";
    return instance;
  }

  // A named instance of a class under a parent (Root when null).
  RTInstance CreateNamed(const char16_t* className, const char16_t* name, RTInstance parent = nullptr) {
    RTInstance instance = Create(className, parent);
    EXPECT_EQ(core().SetInstanceName(nullptr, instance, name), kRTSuccess) << "rename";
    return instance;
  }

  std::u16string Name(RTInstance instance) {
    char16_t buffer[512] = {};
    core().GetInstanceName(nullptr, instance, buffer, 512);
    return buffer;
  }

  std::u16string Path(RTInstance instance) {
    char16_t buffer[1024] = {};
    core().GetInstancePath(nullptr, instance, buffer, 1024);
    return buffer;
  }

  uint32_t Count(RTInstance instance) {
    uint32_t count = 0;
    core().GetRefCount(nullptr, instance, &count);
    return count;
  }

  uint32_t ChildCount(RTInstance instance) {
    uint32_t count = 0;
    core().GetChildCount(nullptr, instance, &count);
    return count;
  }

  RTInstance Lookup(const char16_t* path) {
    RTInstance found = nullptr;
    core().GetInstanceByName(nullptr, path, &found, 0);
    return found;
  }

  RTInstance Root() {
    RTInstance root = nullptr;
    core().GetRoot(nullptr, &root);
    core().ReleaseInstance(nullptr, root);
    return root;
  }

  void Release(RTInstance instance) { EXPECT_EQ(core().ReleaseInstance(nullptr, instance), kRTSuccess); }

  bool Logged(const std::string& text) { return host_.DebugLog().find(text) != std::string::npos; }

  // The RTDatum fixture's number and reference.
  static constexpr uint32_t kDatumLevel = 0x08;
  void SetNumber(RTInstance datum, uint32_t number) { kivo::CallMethod(datum, kDatumLevel, 0x00, number); }
  uint32_t Number(RTInstance datum) {
    uint32_t number = 0;
    kivo::CallMethod(datum, kDatumLevel, 0x04, &number);
    return number;
  }
  void SetReference(RTInstance datum, RTInstance reference) { kivo::CallMethod(datum, kDatumLevel, 0x08, reference); }
  RTInstance Reference(RTInstance datum) {
    RTInstance reference = nullptr;
    kivo::CallMethod(datum, kDatumLevel, 0x0C, &reference);
    return reference;
  }
};

}  // namespace tesk::testing
