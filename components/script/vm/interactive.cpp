#include "vm/interactive.h"

#include <cstring>

#include "codegen/generate_code.h"
#include "compiler/compile_driver.h"
#include "compiler/report.h"
#include "compiler/syntax_node.h"
#include "compiler/type_records.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

RTSuccess VarnoRunInteractiveExpression(RTVarnoVM* vm, const char* text) {
  if (!vm || !text) return kRTFailure;
  const CallFrame* frame = TopFrame(vm->current);
  if (!frame) {
    Raise(u"[VARNO INTERPRETER] No current scope for the VM!");
    return kRTFailure;
  }
  RTVarnoType* scope = frame->object ? frame->object->type : nullptr;
  kivo::List* declarations = frame->method ? frame->method->declarations : nullptr;
  SyntaxNode* tree = nullptr;
  if (!ParseInteractiveExpression(vm->types, scope, declarations, text, std::strlen(text), &tree)) return kRTFailure;
  RTInstance stream = nullptr;
  const RTSuccess generated = GenerateExpressionCode(vm->types, tree, scope, declarations, &stream, nullptr);
  FreeSyntaxTree(tree);
  if (!generated) return kRTFailure;
  const RTSuccess ran = VarnoVMExecuteStream(vm, stream);
  kivo::ModuleCore()->ReleaseInstance(nullptr, stream);
  return ran;
}

}  // namespace varno
