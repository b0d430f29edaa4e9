#include "compiler/syntax_node.h"

#include <unordered_set>
#include <vector>

#include "compiler/core_records.h"

namespace varno {

SyntaxNode* NewSyntaxNode(uint8_t kind, uint32_t childCount, int32_t line) {
  SyntaxNode* node = NewRecord<SyntaxNode>();
  if (!node) return nullptr;
  if (childCount > 0) {
    void* block = nullptr;
    if (!kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(SyntaxNode*), childCount, &block, 1)) {
      FreeRecord(node);
      return nullptr;
    }
    node->children = static_cast<SyntaxNode**>(block);
  }
  node->kind = kind;
  node->childCount = childCount;
  node->line = line;
  node->component = -1;
  return node;
}

// Iterative, so that the long left-leaning statement lists of big methods need no deep recursion;
// a node reached twice (the shared target of a compound assignment) is freed once.
void FreeSyntaxTree(SyntaxNode* root) {
  if (!root) return;
  std::vector<SyntaxNode*> pending{root};
  std::unordered_set<SyntaxNode*> freed;
  while (!pending.empty()) {
    SyntaxNode* node = pending.back();
    pending.pop_back();
    if (!node || !freed.insert(node).second) continue;
    for (uint32_t i = 0; i < node->childCount && node->children; ++i) pending.push_back(node->children[i]);
    if (node->children) kivo::ModuleCore()->ArrayFree(nullptr, node->children);
    FreeText(node->name);
    if (node->kind == eSNConstant) RTVarnoConstantValueDestructor(&node->constant);
    FreeRecord(node);
  }
}

ArgChain* ArgChainNew(SyntaxNode* value) {
  ArgChain* link = NewRecord<ArgChain>();
  if (link) link->value = value;
  return link;
}

RTSuccess ArgChainAppend(ArgChain* chain, SyntaxNode* value) {
  if (!chain) return kRTFailure;
  while (chain->next) chain = chain->next;
  chain->next = ArgChainNew(value);
  return chain->next ? kRTSuccess : kRTFailure;
}

uint32_t ArgChainCount(const ArgChain* chain) {
  uint32_t count = 0;
  for (; chain; chain = chain->next) ++count;
  return count;
}

void ArgChainFree(ArgChain* chain) {
  while (chain) {
    ArgChain* next = chain->next;
    FreeRecord(chain);
    chain = next;
  }
}

void ArgChainFreeWithValues(ArgChain* chain) {
  for (ArgChain* link = chain; link; link = link->next) FreeSyntaxTree(link->value);
  ArgChainFree(chain);
}

}  // namespace varno
