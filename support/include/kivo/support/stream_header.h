// The record that precedes a streamed instance: which class to create, under which name and
// path, with which UUID and children, and how many bytes of component data follow. The core
// builds, writes, reads and frees it; the instance store keeps it. All texts are UTF-16 copies
// in core memory owned by the record.
#pragma once

#include <cstdint>

#include "kivo/support/date_stamp.h"
#include "kivo/types.h"

inline constexpr uint32_t kStreamHeaderMagic = 0x0EA5F001;

struct RTStreamHeader {
  uint32_t magic;
  uint32_t marker;        // always 0xFFFFFFFF
  uint32_t headerLength;  // bytes of the header on the wire, where known
  uint64_t dataLength;    // bytes of component data that follow
  kivo::DateStamp firstStamp;
  kivo::DateStamp secondStamp;
  RTUUID uuid;
  char16_t* name;
  char16_t* path;
  char16_t* className;
  char16_t* parentClassName;  // null for none
  char16_t* vendor;
  uint32_t reserved;
  uint32_t componentVersion;
  uint32_t sizeWord;  // the stream stage; 0xFFFFFFFF for whole-instance streaming
  uint32_t childCount;
  char16_t** childPaths;
  char16_t* parentPath;  // null for Root
  uint8_t trailer[16];
};
