// FindWidgetByName on a generated form of 400 widgets (panels three deep and a tab panel of three
// pages), for a name that is not there and for the last widget, against the anchor: the same
// first-match pre-order walk over a plain tree of std::u16string names, with the same low-byte
// case fold.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "button.h"
#include "form.h"
#include "host/core_host.h"
#include "kivo/support/wide_string.h"
#include "label.h"
#include "panel.h"
#include "tab_panel.h"
#include "widget_tree.h"

namespace {

using namespace tesk::game::gui;

constexpr int kOuterPanels = 8;
constexpr int kInnerPanels = 4;
constexpr int kButtons = 10;
constexpr int kPages = 3;
constexpr int kLabelsPerPage = 12;
constexpr char16_t kMissing[] = u"NO_SUCH_WIDGET";

struct Node {
  std::u16string name;
  std::vector<Node> children;
};

// Names W0, W1, ... in the order the lookup meets the widgets.
class Namer {
 public:
  std::u16string Next() {
    std::u16string name = u"W";
    for (char c : std::to_string(count_++)) name += static_cast<char16_t>(c);
    return name;
  }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

template <class Widget>
Widget* Named(Namer& namer, Node* mirror) {
  auto* widget = new Widget();
  mirror->children.push_back(Node{namer.Next(), {}});
  widget->SetName(mirror->children.back().name.c_str());
  return widget;
}

// The form and, in `mirror`, the same names as a plain tree: a tab panel's node holds the
// children of all its pages, whose own names the lookup never compares.
TeskForm* MakeForm(Node* mirror) {
  Namer namer;
  auto* form = new TeskForm();
  for (int p = 0; p < kOuterPanels; ++p) {
    auto* outer = Named<TeskPanel>(namer, mirror);
    Node& outerNode = mirror->children.back();
    for (int q = 0; q < kInnerPanels; ++q) {
      auto* inner = Named<TeskPanel>(namer, &outerNode);
      Node& innerNode = outerNode.children.back();
      for (int b = 0; b < kButtons; ++b) inner->AddChild(Named<TeskButton>(namer, &innerNode));
      outer->AddChild(inner);
    }
    form->AddChild(outer);
  }
  auto* tabs = Named<TeskTabPanel>(namer, mirror);
  Node& tabNode = mirror->children.back();
  tabs->RemovePage(0);
  for (int page = 0; page < kPages; ++page) {
    tabs->AddPage(namer.Next().c_str());
    for (int l = 0; l < kLabelsPerPage; ++l) tabs->PageAt(page)->AddChild(Named<TeskLabel>(namer, &tabNode));
  }
  form->AddChild(tabs);
  if (namer.count() != 400) std::abort();
  return form;
}

const Node* FindNode(const Node& parent, const char16_t* name) {
  for (const Node& child : parent.children) {
    if (kivo::WideStrEqualNoCase(child.name.c_str(), name) == 0) return &child;
    if (const Node* found = FindNode(child, name)) return found;
  }
  return nullptr;
}

struct Fixture {
  Fixture() {
    static const std::string_view components[] = {"RTComponent", "RTStream", "RTMemoryStream"};
    tesk::testing::ProcessCore(components);
    form = MakeForm(&mirror);
  }
  TeskForm* form = nullptr;
  Node mirror;
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

// The last label's name in the other case, as screens may spell it.
const char16_t* LastName() {
  static const std::u16string name = u"w399";
  return name.c_str();
}

void BM_FindWidgetByName_Tesk(benchmark::State& state) {
  TeskForm* form = TheFixture().form;
  for (auto _ : state) {
    benchmark::DoNotOptimize(form->FindWidgetByName(kMissing));
    benchmark::DoNotOptimize(form->FindWidgetByName(LastName()));
  }
  if (!form->FindWidgetByName(LastName())) state.SkipWithError("the last widget was not found");
}
BENCHMARK(BM_FindWidgetByName_Tesk);

void BM_FindWidgetByName_Anchor(benchmark::State& state) {
  const Node& root = TheFixture().mirror;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindNode(root, kMissing));
    benchmark::DoNotOptimize(FindNode(root, LastName()));
  }
  if (!FindNode(root, LastName())) state.SkipWithError("the last node was not found");
}
BENCHMARK(BM_FindWidgetByName_Anchor);

}  // namespace
