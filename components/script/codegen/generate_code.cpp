#include "codegen/generate_code.h"

#include "codegen/final_code.h"
#include "codegen/icode_generator.h"
#include "codegen/methods_parent.h"
#include "compiler/checker.h"
#include "compiler/core_records.h"
#include "compiler/line_table.h"
#include "compiler/report.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/stream_calls.h"

namespace varno {

namespace {

void ClearLabelTargets(RTVarnoMethod* method) {
  for (RTVarnoLabel* label : kivo::ListItems<RTVarnoLabel>(method->labels)) label->target = nullptr;
}

// A new memory stream under `parent` (Root when null), open for writing.
RTSuccess NewCodeStream(RTInstance parent, RTInstance* out) {
  CoreTable* core = kivo::ModuleCore();
  if (!core->CreateInstanceByString(parent, u"RTMemoryStream", out, 0, 0)) return kRTFailure;
  if (kivo::memory_stream::Open(*out, kivo::memory_stream::kReadWrite)) return kRTSuccess;
  core->ReleaseInstance(nullptr, *out);
  *out = nullptr;
  return kRTFailure;
}

// What an earlier, failed attempt recorded goes: the transitions of its check and the line tables
// of its code literals are recorded again.
void ClearEarlierAttempt(RTVarnoMethod* method) {
  for (StateTransition* transition : kivo::ListItems<StateTransition>(method->transitions)) {
    FreeText(transition->condition);
    FreeRecord(transition);
  }
  if (method->transitions) kivo::ListClear(method->transitions);
  for (LineTable* lines : kivo::ListItems<LineTable>(method->nestedLineTables)) LineTableDestroy(lines);
  if (method->nestedLineTables) kivo::ListClear(method->nestedLineTables);
}

RTSuccess GenerateMethodCode(RTVarnoTypeTable* table, RTVarnoType* type, RTVarnoMethod* method) {
  method->owner = type;
  ClearEarlierAttempt(method);
  if (!CheckSyntaxTree(table, method->tree, type, method->declarations, method, 0)) {
    Raise(u"[VARNO] Syntax check failed!");
    return kRTFailure;
  }
  if (!MethodSetSourceFile(method, type->fileName)) return kRTFailure;
  Instruction* code = nullptr;
  if (!GenerateIntermediateCode(table, method, method->tree, &code)) {
    Raise(u"[VARNO] Error generating iCode");
    return kRTFailure;
  }
  RTInstance parent = nullptr;
  RTInstance stream = nullptr;
  if (!MethodsParent(&parent) || !NewCodeStream(parent, &stream)) {
    FreeIntermediateCode(code);
    ClearLabelTargets(method);
    return kRTFailure;
  }
  LineTable* lines = nullptr;
  const RTSuccess generated = GenerateFinalCode(method, code, stream, &lines);
  FreeIntermediateCode(code);
  ClearLabelTargets(method);
  if (!generated || !kivo::stream::Seek(stream, 0)) {
    Raise(u"[VARNO] Error generating final code");
    LineTableDestroy(lines);
    kivo::ModuleCore()->ReleaseInstance(nullptr, stream);
    return kRTFailure;
  }
  LineTableDestroy(method->lineTable);
  method->lineTable = lines;
  FreeSyntaxTree(method->tree);
  method->tree = nullptr;
  if (method->code) kivo::ModuleCore()->ReleaseInstance(nullptr, method->code);
  method->code = stream;
  return kRTSuccess;
}

}  // namespace

RTSuccess GenerateClassCode(RTVarnoTypeTable* table, RTVarnoType* type) {
  if (!table || !type) return kRTFailure;
  for (RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) {
    // A method that has its code from an earlier, failed round keeps it (its tree is gone).
    if (method->code && !method->tree) continue;
    if (!GenerateMethodCode(table, type, method)) return kRTFailure;
  }
  type->codeGenerated = 1;
  return kRTSuccess;
}

RTSuccess TypeTableGenerateCode(RTVarnoTypeTable* table) {
  if (!table || !TypeTableResolveParents(table)) return kRTFailure;
  for (uint32_t i = kFirstClassType; i < table->count; ++i) {
    RTVarnoType* type = table->types[i];
    if (type->codeGenerated) continue;
    if (!TypeResolveParent(type, table, type->parentIndex) || !GenerateClassCode(table, type)) return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess GenerateExpressionCode(RTVarnoTypeTable* table, SyntaxNode* tree, RTVarnoType* type,
                                 kivo::List* declarations, RTInstance* outStream, LineTable** outLines) {
  if (!outStream) return kRTFailure;
  *outStream = nullptr;
  if (outLines) *outLines = nullptr;
  if (!CheckSyntaxTree(table, tree, type, declarations, nullptr, 0)) {
    Raise(u"[VARNO] Syntax check failed!");
    return kRTFailure;
  }
  Instruction* code = nullptr;
  if (!GenerateIntermediateCode(table, nullptr, tree, &code)) {
    Raise(u"[VARNO] Error generating iCode");
    return kRTFailure;
  }
  RTInstance stream = nullptr;
  if (!NewCodeStream(nullptr, &stream)) {
    FreeIntermediateCode(code);
    return kRTFailure;
  }
  LineTable* lines = nullptr;
  const RTSuccess generated = GenerateFinalCode(nullptr, code, stream, &lines);
  FreeIntermediateCode(code);
  if (!generated || !kivo::stream::Seek(stream, 0)) {
    Raise(u"[VARNO] Error generating final code");
    LineTableDestroy(lines);
    kivo::ModuleCore()->ReleaseInstance(nullptr, stream);
    return kRTFailure;
  }
  if (outLines) {
    *outLines = lines;
  } else {
    LineTableDestroy(lines);
  }
  *outStream = stream;
  return kRTSuccess;
}

}  // namespace varno
