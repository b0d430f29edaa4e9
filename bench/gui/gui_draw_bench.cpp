// Draw of a 60-widget form shaped like the info screen (framed panels, icons, labels, progress and
// percent bars, a list) with the software rasterizer recording every call, against the anchor:
// the calls that frame recorded, replayed straight through the rasterizer's slots. No skin is
// loaded: textures and sprite coordinates are 0 and text is skipped, so both sides make the same
// rasterizer calls and the ratio is the toolkit's own cost of making them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "button.h"
#include "common/call_replay.h"
#include "form.h"
#include "host/core_host.h"
#include "icon.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "percent_bar.h"
#include "progress_bar.h"

namespace {

using namespace tesk::game::gui;
namespace r = kivo::rasterizer;

constexpr char16_t kNowhere[] = u"/dev/null";

struct Screen {
  tesk::testing::CoreHost* host = nullptr;
  kivo::InstanceRef rasterizer;
  TeskForm* form = nullptr;
};

void Place(TeskIWidget* widget, int32_t x, int32_t y, int32_t w, int32_t h) {
  widget->SetX(x);
  widget->SetY(y);
  widget->SetWidth(w);
  widget->SetHeight(h);
}

TeskPanel* FramedPanel(TeskForm* form, int32_t x, int32_t y, int32_t w, int32_t h) {
  auto* panel = new TeskPanel();
  Place(panel, x, y, w, h);
  form->AddChild(panel);
  return panel;
}

TeskLabel* Label(int32_t x, int32_t y) {
  auto* label = new TeskLabel();
  Place(label, x, y, 120, 20);
  return label;
}

// Form, three panels, 24 + 15 + 16 widgets in them and a button: 60 widgets.
TeskForm* InfoScreen() {
  auto* form = new TeskForm();
  Place(form, 0, 0, 1024, 768);
  TeskPanel* people = FramedPanel(form, 20, 20, 480, 360);
  for (int i = 0; i < 12; ++i) {
    auto* icon = new TeskIcon();
    icon->SetImageRect(0, 0, 32, 32);
    Place(icon, 10 + (i % 4) * 110, 20 + (i / 4) * 100, 32, 32);
    if (i % 3 == 0) icon->SetGlow(1);
    people->AddChild(icon);
    people->AddChild(Label(50 + (i % 4) * 110, 26 + (i / 4) * 100));
  }
  TeskPanel* stats = FramedPanel(form, 520, 20, 480, 360);
  for (int i = 0; i < 5; ++i) {
    auto* pips = new TeskProgressBar();
    Place(pips, 140, 20 + i * 60, 200, 29);
    pips->SetCapacity(10);
    pips->SetMax(7);
    pips->SetValue(3 + i % 3);
    auto* percent = new TeskPercentBar();
    Place(percent, 360, 24 + i * 60, 100, 20);
    percent->SetPercent(20 * i);
    stats->AddChild(Label(10, 24 + i * 60));
    stats->AddChild(pips);
    stats->AddChild(percent);
  }
  TeskPanel* log = FramedPanel(form, 20, 400, 980, 340);
  auto* list = new TeskListBox();
  Place(list, 10, 20, 400, 300);
  for (int i = 0; i < 10; ++i) list->AddItem(u"Patient");
  log->AddChild(list);
  for (int i = 0; i < 10; ++i) log->AddChild(Label(480, 20 + i * 28));
  for (int i = 0; i < 5; ++i) {
    auto* icon = new TeskIcon();
    Place(icon, 700, 20 + i * 50, 40, 40);
    log->AddChild(icon);
  }
  auto* close = new TeskButton();
  Place(close, 900, 740, 100, 24);
  form->AddChild(close);
  return form;
}

Screen& TheScreen() {
  static Screen screen = [] {
    Screen made;
    made.host = new tesk::testing::CoreHost();
    std::filesystem::create_symlink(RASTERIZER_PIX, made.host->root() / "components/rtrasterizer.so");
    if (!made.host->Start()) std::abort();
    kivo::SetModuleCore(&made.host->table());
    if (!made.host->table().GetFirstInstanceByString(nullptr, r::kClassName, made.rasterizer.out(), 1, nullptr))
      std::abort();
    const uint32_t descriptor[r::kDescriptorWords] = {0, 0, 0, 768, 1024, 32, 24, 8, 0, 0, 0, 1};
    r::WindowContext context = nullptr;
    if (!r::CreateWindowContext(made.rasterizer.get(), nullptr, descriptor, &context) ||
        !r::BeginFrame(made.rasterizer.get(), context))
      std::abort();
    made.form = InfoScreen();
    return made;
  }();
  return screen;
}

void BM_FormDraw_Tesk(benchmark::State& state) {
  Screen& screen = TheScreen();
  r::Record(screen.rasterizer.get(), kNowhere);
  for (auto _ : state) screen.form->Draw(0, 0, screen.rasterizer.get());
  r::Record(screen.rasterizer.get(), nullptr);
}
BENCHMARK(BM_FormDraw_Tesk);

void BM_FormDraw_Anchor(benchmark::State& state) {
  Screen& screen = TheScreen();
  const tesk::bench::CallReplay calls(screen.rasterizer.get(), screen.host->root() / "frame.txt",
                                      [&] { screen.form->Draw(0, 0, screen.rasterizer.get()); });
  r::Record(screen.rasterizer.get(), kNowhere);
  for (auto _ : state) calls.Run();
  r::Record(screen.rasterizer.get(), nullptr);
  state.counters["calls"] = static_cast<double>(calls.size());
}
BENCHMARK(BM_FormDraw_Anchor);

}  // namespace
