#include "compiler/dump.h"

#include <charconv>
#include <cstdint>

#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/format.h"

namespace varno {

namespace {

struct KindName {
  uint8_t kind;
  const char16_t* name;
};

constexpr KindName kKindNames[] = {
    {eSNStatementList, u"Statements"}, {eSNStatement, u"Statement"}, {eSNFor, u"For"}, {eSNWhile, u"While"},
    {eSNIf, u"If"}, {eSNIfElse, u"IfElse"}, {eSNPrint, u"Print"}, {eSNSwitch, u"Switch"}, {eSNListen, u"Listen"},
    {eSNDeafen, u"Deafen"}, {eSNMethodBody, u"MethodBody"}, {eSNCall, u"Call"}, {eSNReturn, u"Return"},
    {eSNAssign, u"Assign"}, {eSNAdd, u"Add"}, {eSNSubtract, u"Subtract"}, {eSNMultiply, u"Multiply"},
    {eSNDivide, u"Divide"}, {eSNNegate, u"Negate"}, {eSNCanBe, u"CanBe"}, {eSNEqual, u"Equal"},
    {eSNNotEqual, u"NotEqual"}, {eSNLess, u"Less"}, {eSNGreater, u"Greater"}, {eSNLessEqual, u"LessEqual"},
    {eSNGreaterEqual, u"GreaterEqual"}, {eSNSpeaker, u"Speaker"}, {eSNCode, u"Code"},
    {eSNListAccess, u"ListAccess"}, {eSNList, u"List"}, {eSNIdentifier, u"Identifier"},
    {eSNConstant, u"Constant"}, {eSNBundle, u"Bundle"}, {eSNStart, u"Start"}, {eSNStop, u"Stop"},
    {eSNSleep, u"Sleep"}, {eSNPriority, u"Priority"}, {eSNNot, u"Not"}, {eSNAnd, u"And"}, {eSNOr, u"Or"},
    {eSNXor, u"Xor"}, {eSNGoto, u"Goto"}, {eSNLabel, u"Label"}, {eSNCallStatement, u"CallStatement"},
    {eSNInheritedStatement, u"InheritedStatement"}, {eSNSin, u"Sin"}, {eSNCos, u"Cos"}, {eSNTan, u"Tan"},
    {eSNSqrt, u"Sqrt"}, {eSNSqr, u"Sqr"}, {eSNAbs, u"Abs"}, {eSNHasKey, u"HasKey"}, {eSNAddKey, u"AddKey"},
    {eSNRemove, u"Remove"}, {eSNKeys, u"Keys"}, {eSNRetrieve, u"Retrieve"}, {eSNInState, u"InState"},
    {eSNDebug, u"Debug"}, {eSNExit, u"Exit"}, {eSNNew, u"New"}, {eSNDynamicNew, u"DynamicNew"},
    {eSNInherited, u"Inherited"}, {eSNRand, u"Rand"}, {eSNEval, u"Eval"}, {eSNDatabase, u"Database"},
    {eSNDatabaseElement, u"DatabaseElement"}, {eSNPop, u"Pop"}, {eSNCopyListen, u"CopyListen"},
};

std::u16string Widen(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string RealText(float value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  std::string text(digits, end);
  if (text.find_first_of(".en") == std::string::npos) text += ".0";
  return Widen(text);
}

std::u16string ConstantText(const RTVarnoConstantValue& constant) {
  switch (constant.type) {
    case kTypeNumber:
      return kivo::Format(u"%d", constant.value.number);
    case kTypeReal:
      return RealText(constant.value.real);
    case kTypeString:
      return u"\"" + std::u16string(constant.value.text ? constant.value.text : u"") + u"\"";
    case kTypeBool:
      return constant.value.word ? u"true" : u"false";
    case kTypeVector3: {
      const RTFVector3D* v = constant.value.vector;
      if (!v) return u"<?>";
      return u"<" + RealText(v->x) + u", " + RealText(v->y) + u", " + RealText(v->z) + u">";
    }
    case kTypeNoValue:
      return u"null";
    default:
      return kivo::Format(u"?%u", constant.type);
  }
}

bool IsBlock(uint8_t kind) {
  return kind == eSNStatementList || kind == eSNMethodBody || kind == eSNIf || kind == eSNIfElse ||
         kind == eSNWhile || kind == eSNFor || kind == eSNCode;
}

class TreeWriter {
 public:
  TreeWriter(const RTVarnoTypeTable* table, int indent) : table_(table), indent_(indent) {}

  void Write(const SyntaxNode* node, int depth) {
    if (!node) {
      out_ += u"-";
      return;
    }
    if (node->kind == eSNIdentifier) {
      out_ += node->name ? node->name : u"?";
      return;
    }
    if (node->kind == eSNConstant) {
      out_ += ConstantText(node->constant);
      return;
    }
    out_ += u"(" + NodeKindName(node->kind);
    if (node->name) out_ += u" " + std::u16string(node->name);
    if (node->kind == eSNNew) out_ += u" " + TypeCodeName(table_, node->type);
    const bool lines = indent_ >= 0 && IsBlock(node->kind);
    if (node->kind == eSNStatementList) {
      WriteStatements(node, depth, lines);
    } else {
      for (uint32_t i = 0; i < node->childCount; ++i) WriteChild(node->children[i], depth, lines);
    }
    if (node->kind == eSNCanBe) out_ += u" " + TypeCodeName(table_, node->targetType);
    out_ += u")";
  }

  std::u16string Take() { return std::move(out_); }

 private:
  void WriteChild(const SyntaxNode* child, int depth, bool lines) {
    if (lines) {
      out_ += u"\n" + std::u16string(static_cast<size_t>(indent_ + 2 * (depth + 1)), u' ');
    } else {
      out_ += u" ";
    }
    Write(child, depth + 1);
  }

  // A statement list leans left: its first child is the list of the earlier statements.
  void WriteStatements(const SyntaxNode* node, int depth, bool lines) {
    if (node->childCount == 2 && node->children[0] && node->children[0]->kind == eSNStatementList) {
      WriteStatements(node->children[0], depth, lines);
    } else if (node->childCount > 0) {
      WriteChild(node->children[0], depth, lines);
    }
    for (uint32_t i = 1; i < node->childCount; ++i) WriteChild(node->children[i], depth, lines);
  }

  const RTVarnoTypeTable* table_;
  int indent_;
  std::u16string out_;
};

const char16_t* MethodKindWord(uint8_t kind) {
  switch (kind) {
    case kMethodEvent: return u"event";
    case kMethodState: return u"state";
    case kMethodListener: return u"listener";
    default: return u"method";
  }
}

}  // namespace

std::u16string TypeCodeName(const RTVarnoTypeTable* table, uint32_t type) {
  // Codes 11 to 13 read as no value, code and database whatever the table's names there are.
  if (type == kTypeNoValue) return u"null";
  if (type == kTypeCode) return u"code";
  if (type == kTypeDatabase) return u"database";
  if (table && type < table->count && table->types[type]->name) return table->types[type]->name;
  if (type == kNoType) return u"none";
  return kivo::Format(u"#%u", type);
}

std::u16string NodeKindName(uint8_t kind) {
  for (const KindName& entry : kKindNames) {
    if (entry.kind == kind) return entry.name;
  }
  return kivo::Format(u"Kind%u", kind);
}

std::u16string DumpSyntaxTree(const SyntaxNode* node, const RTVarnoTypeTable* table) {
  TreeWriter writer(table, -1);
  writer.Write(node, 0);
  return writer.Take();
}

std::u16string DumpSyntaxTreeIndented(const SyntaxNode* node, const RTVarnoTypeTable* table, int indent) {
  TreeWriter writer(table, indent < 0 ? 0 : indent);
  writer.Write(node, 0);
  return writer.Take();
}

std::u16string DumpType(const RTVarnoTypeTable* table, const RTVarnoType* type, bool trees) {
  if (!type) return u"";
  std::u16string out = kivo::Format(u"class %s (%u) is %s", type->name, type->index,
                                    TypeCodeName(table, type->parentIndex));
  if (type->parentIndex != kNoType) out += kivo::Format(u" (%u)", type->parentIndex);
  if (type->singleton) out += u", singleton";
  out += kivo::Format(u"\n  file: %s\n", type->fileName);

  out += u"  attributes";
  if (type->parentResolved) out += kivo::Format(u" (own %u)", type->ownAttributeCount);
  out += u":\n";
  for (const RTVarnoAttribute* attribute : kivo::ListItems<RTVarnoAttribute>(type->attributes)) {
    out += kivo::Format(u"    %s: %s%s\n", attribute->name, TypeCodeName(table, attribute->type),
                        attribute->flags & kDeclarationConstant ? u", constant" : u"");
  }
  out += u"  constants";
  if (type->parentResolved) out += kivo::Format(u" (own %u)", type->ownConstantCount);
  out += u":\n";
  if (type->constants) {
    for (const RTVarnoConstantEntry* entry : kivo::ListItems<RTVarnoConstantEntry>(type->constants->entries)) {
      out += kivo::Format(u"    %s = %s\n", entry->name, ConstantText(entry->value));
    }
  }
  out += u"  methods:\n";
  for (const RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) {
    out += kivo::Format(u"    %s ", MethodKindWord(method->kind));
    if (method->returnType != kTypeNoValue) out += TypeCodeName(table, method->returnType) + u" ";
    out += method->displayName ? method->displayName : method->keyName;
    if (method->kind != kMethodState) {
      out += u"(";
      bool first = true;
      for (const RTVarnoParameter* parameter : kivo::ListItems<RTVarnoParameter>(method->parameters)) {
        out += kivo::Format(u"%s%s%s: %s", first ? u"" : u", ", parameter->out ? u"out " : u"", parameter->name,
                            TypeCodeName(table, parameter->type));
        first = false;
      }
      out += u")";
    }
    if (method->kind == kMethodImplemented) {
      out += kivo::Format(u" implemented \"%s.%s\"", method->bindClass, method->bindMethod);
    }
    out += u"\n";
    if (method->declarations && method->declarations->count > 0) {
      out += u"      declarations:";
      for (const RTVarnoDeclaration* declaration : kivo::ListItems<RTVarnoDeclaration>(method->declarations)) {
        out += kivo::Format(u" %s: %s;", declaration->name, TypeCodeName(table, declaration->type));
      }
      out += u"\n";
    }
    if (method->labels && method->labels->count > 0) {
      out += u"      labels:";
      for (const RTVarnoLabel* label : kivo::ListItems<RTVarnoLabel>(method->labels)) out += u" " + std::u16string(label->name);
      out += u"\n";
    }
    if (trees && method->tree) out += u"      " + DumpSyntaxTreeIndented(method->tree, table, 6) + u"\n";
  }
  return out;
}

std::u16string DumpTypeTable(const RTVarnoTypeTable* table, bool trees) {
  std::u16string out;
  for (uint32_t i = kFirstClassType; table && i < table->count; ++i) out += DumpType(table, table->types[i], trees);
  return out;
}

}  // namespace varno
