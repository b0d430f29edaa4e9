#include "compiler/parse_context.h"

#include "compiler/core_records.h"
#include "compiler/syntax_node.h"
#include "compiler/type_records.h"

namespace varno {

namespace {

ParseContext* gCurrentContext = nullptr;

}  // namespace

ParseContext* ParseContextCreate() {
  ParseContext* context = NewRecord<ParseContext>();
  if (!context) return nullptr;
  if (!kivo::ListCreate(&context->input.strings)) {
    FreeRecord(context);
    return nullptr;
  }
  return context;
}

void ParseContextFree(ParseContext* context) {
  if (!context) return;
  if (gCurrentContext == context) SetCurrentParseContext(nullptr);
  CloseSourceFile(&context->input);
  for (const char16_t* text : kivo::ListItems<const char16_t>(context->input.strings)) FreeText(text);
  kivo::ListDestroy(context->input.strings);
  if (!context->borrowedDeclarations) AttributeListFree(context->declarations);
  ParameterListFree(context->parameters);
  LabelListFree(context->labels);
  FreeSyntaxTree(context->tree);
  FreeText(context->fileName);
  FreeText(context->className);
  FreeRecord(context);
}

ParseContext* CurrentParseContext() { return gCurrentContext; }

void SetCurrentParseContext(ParseContext* context) {
  gCurrentContext = context;
  SetCurrentSourceInput(context ? &context->input : nullptr);
}

}  // namespace varno
