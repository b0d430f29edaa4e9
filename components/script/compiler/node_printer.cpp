#include "compiler/node_printer.h"

#include <cstring>
#include <vector>

#include "compiler/report.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "kivo/support/stream_calls.h"

namespace varno {

namespace {

constexpr uint32_t kMostChildren = 128;

const char16_t* OperatorText(uint8_t kind) {
  switch (kind) {
    case eSNAdd: return u" + ";
    case eSNSubtract: return u" - ";
    case eSNMultiply: return u" * ";
    case eSNDivide: return u" / ";
    case eSNEqual: return u" == ";
    case eSNNotEqual: return u" != ";
    case eSNLess: return u" < ";
    case eSNGreater: return u" > ";
    case eSNLessEqual: return u" <= ";
    case eSNGreaterEqual: return u" >= ";
    case eSNAnd: return u" and ";
    case eSNOr: return u" or ";
    case eSNXor: return u" xor ";
    default: return nullptr;
  }
}

std::u16string ConstantText(const RTVarnoConstantValue& constant) {
  switch (constant.type) {
    case kTypeNumber: return kivo::Format(u"%d", constant.value.number);
    case kTypeReal: return kivo::Format(u"%f", constant.value.real);
    case kTypeString: return constant.value.text ? constant.value.text : u"";
    default: return u"[Unknown]";
  }
}

// The node's text from its children's texts; false for a node that has no text form.
bool Render(const SyntaxNode* node, const std::vector<std::u16string>& children, std::u16string* text) {
  if (const char16_t* op = OperatorText(node->kind)) {
    if (children.size() < 2) return false;
    *text = children[0] + op + children[1];
    return true;
  }
  switch (node->kind) {
    case eSNIdentifier:
      *text = node->name ? node->name : u"";
      return true;
    case eSNConstant:
      *text = ConstantText(node->constant);
      return true;
    case eSNNot:
      *text = u"not " + (children.empty() ? std::u16string() : children[0]);
      return true;
    default:
      return false;
  }
}

}  // namespace

std::u16string PrinterStreamText(RTInstance stream) {
  uint32_t size = 0;
  const uint8_t* data = nullptr;
  if (!stream || !kivo::stream::GetSize(stream, &size) || !kivo::memory_stream::GetBuffer(stream, &data) || !data) {
    return {};
  }
  std::u16string text(size / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), data, text.size() * sizeof(char16_t));
  text.resize(std::char_traits<char16_t>::length(text.c_str()));
  return text;
}

RTSuccess RTVarnoSyntaxNodePrinter(const SyntaxNode* node, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!node) return kRTSuccess;
  if (node->childCount > kMostChildren) {
    Raise(u"RTVarnoSyntaxNodePrinter(): Too many children nodes!");
    return kRTFailure;
  }
  std::vector<std::u16string> texts;
  for (uint32_t i = 0; i < node->childCount; ++i) {
    RTInstance child = nullptr;
    if (!RTVarnoSyntaxNodePrinter(node->children[i], &child)) return kRTFailure;
    texts.push_back(PrinterStreamText(child));
    if (child) kivo::ModuleCore()->ReleaseInstance(nullptr, child);
  }
  std::u16string text;
  if (!Render(node, texts, &text)) return kRTFailure;

  RTInstance stream = nullptr;
  if (!kivo::memory_stream::Create(&stream)) return kRTFailure;
  uint32_t written = 0;
  const uint32_t bytes = static_cast<uint32_t>((text.size() + 1) * sizeof(char16_t));
  if (!kivo::stream::Write(stream, text.c_str(), bytes, &written) || written != bytes) {
    kivo::ModuleCore()->ReleaseInstance(nullptr, stream);
    return kRTFailure;
  }
  *out = stream;
  return kRTSuccess;
}

}  // namespace varno
