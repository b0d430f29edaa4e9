#include "vm/snapshot_tables.h"

#include "compiler/report.h"
#include "kivo/support/stream_values.h"
#include "vm/vm.h"

namespace varno {

namespace {

SnapshotTables gTables;

constexpr uintptr_t kLargestReference = 0xFFFFFFFFu;

void CallLoadingCallback() {
  if (VarnoLoadingCallback callback = LoadingCallback()) callback();
}

RTVarnoSymbol* AsVariable(uint32_t reference) { return reinterpret_cast<RTVarnoSymbol*>(uintptr_t{reference}); }

}  // namespace

SnapshotTables& SnapshotTablesOfComponent() { return gTables; }

void SnapshotTablesClear() {
  gTables.objects.clear();
  gTables.objects.shrink_to_fit();
  gTables.references.clear();
  gTables.types.clear();
  gTables.types.shrink_to_fit();
}

RTSuccess VNStreamObjectReferenceOut(RTInstance stream, const RTVarnoSymbol* object) {
  if (!stream) return kRTFailure;
  if (!object) return kivo::StreamWriteUInt(stream, 0);
  const auto found = gTables.references.find(object);
  if (found == gTables.references.end()) {
    Raise(u"Cannot resolve a symbol reference index. Critical error");
    return kRTFailure;
  }
  return kivo::StreamWriteUInt(stream, found->second);
}

RTSuccess VNStreamObjectReferenceIn(RTInstance stream, RTVarnoSymbol** variable) {
  if (!stream || !variable) return kRTFailure;
  *variable = nullptr;
  uint32_t reference = 0;
  if (!kivo::StreamReadUInt(stream, &reference)) {
    Raise(u"VNStreamObjectReferenceIn() -- The stream ends before the reference!");
    return kRTFailure;
  }
  if (reference > gTables.objects.size()) {
    Raise(u"VNStreamObjectReferenceIn() -- Reference %u is beyond the %u objects of the snapshot!", reference,
          static_cast<uint32_t>(gTables.objects.size()));
    return kRTFailure;
  }
  *variable = AsVariable(reference);
  return kRTSuccess;
}

RTSuccess VNPatchObject(RTVarnoSymbol** variable) {
  if (!variable) return kRTFailure;
  CallLoadingCallback();
  const auto held = reinterpret_cast<uintptr_t>(*variable);
  if (held == 0 || held > kLargestReference) return kRTSuccess;
  if (held > gTables.objects.size()) {
    Raise(u"Cannot resolve a symbol reference index. Critical error");
    *variable = nullptr;
    return kRTFailure;
  }
  *variable = gTables.objects[held - 1];
  return kRTSuccess;
}

RTSuccess VNDestroyPatchTable() {
  SnapshotTablesClear();
  return kRTSuccess;
}

}  // namespace varno
