// A list box of 1000 rows whose texts wrap to two lines, drawn through the skin of a started game,
// and a press on its down arrow (ScrollDown), against the anchor: the rows that fit measured and
// their texts drawn straight on the font, and the rows from the top measured until they pass the
// list's height.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "core_session.h"
#include "gui_skin.h"
#include "kivo/font/font_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "list_box.h"
#include "tesk/game_slots.h"

namespace {

using namespace tesk::game::gui;
namespace r = kivo::rasterizer;

constexpr int kRows = 1000;
constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 400;
constexpr int32_t kRowHeight = 16;
constexpr int32_t kTextWidth = kWidth - 12;
constexpr int32_t kNoLimit = 9999;
constexpr char16_t kText[] = u"A patient waiting in the east wing with a very long complaint";
constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};

// A started game with its skin and the list, all given back at the end of the process.
struct Game {
  Game() {
    setenv("TESK_REGISTRY", TESK_STAGE_DIR "/registry.ini", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    std::string error;
    session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kRootsOwnRoot);
    if (!session) std::abort();
    CoreTable& core = session->core();
    if (!core.GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr) ||
        !core.GetFirstInstanceByString(nullptr, tesk::game::kClassName, game.out(), 1, nullptr))
      std::abort();
    const uint32_t descriptor[r::kDescriptorWords] = {0, 0, 0, 768, 1024, 32, 24, 8, 0, 0, 0, 1};
    r::WindowContext context = nullptr;
    if (!r::CreateWindowContext(rasterizer.get(), nullptr, descriptor, &context) || !LoadGuiSkin(0) ||
        !r::BeginFrame(rasterizer.get(), context))
      std::abort();
    list = new TeskListBox();
    list->SetRowHeight(kRowHeight);
    list->SetWidth(kWidth);
    list->SetHeight(kHeight);
    for (int i = 0; i < kRows; ++i) list->AddItem(kText);
    int32_t lines = 0;
    kivo::font::MeasureHeight(list->GetFont(), kText, kTextWidth, kNoLimit, &lines);
    if (lines <= kRowHeight) std::abort();  // the text must wrap past one row
  }
  ~Game() {
    delete list;
    ReleaseGuiSkin();
  }

  std::unique_ptr<tesk::CoreSession> session;
  kivo::InstanceRef rasterizer;
  kivo::InstanceRef game;
  TeskListBox* list = nullptr;
};

Game& TheGame() {
  static Game game;
  return game;
}

void BM_ListBoxDraw_Tesk(benchmark::State& state) {
  Game& game = TheGame();
  for (auto _ : state) game.list->Draw(0, 0, game.rasterizer.get());
}
BENCHMARK(BM_ListBoxDraw_Tesk);

void BM_ListBoxDraw_Anchor(benchmark::State& state) {
  Game& game = TheGame();
  const RTInstance font = game.list->GetFont();
  for (auto _ : state) {
    kivo::font::SetBounds(font, kTextWidth, kNoLimit);
    int32_t used = 0;
    int32_t y = 8;
    for (int i = 0; i < kRows; ++i) {
      int32_t height = 0;
      kivo::font::MeasureHeight(font, kText, kTextWidth, kNoLimit, &height);
      height = std::max(height, kRowHeight);
      if (i > 0 && used + height + 8 > kHeight) break;
      used += height + 8;
      kivo::font::DrawText(font, kText, 36, y, kWhite);
      y += height + 8;
    }
  }
}
BENCHMARK(BM_ListBoxDraw_Anchor);

// A press on the down arrow, the top row put back each time.
void BM_ListBoxScrollDown_Tesk(benchmark::State& state) {
  Game& game = TheGame();
  const int32_t arrowX = kWidth + game.list->GetIconColumnWidth() + 5 + 2;
  const int32_t arrowY = kHeight - game.list->DownArrow().GetHeight() - 8 + 2;
  for (auto _ : state) {
    game.list->SetTopRow(0);
    benchmark::DoNotOptimize(game.list->Mouse(0, 0, arrowX, arrowY, 1));
  }
  if (game.list->GetTopRow() != 1) state.SkipWithError("the press did not scroll");
}
BENCHMARK(BM_ListBoxScrollDown_Tesk);

void BM_ListBoxScrollDown_Anchor(benchmark::State& state) {
  const RTInstance font = TheGame().list->GetFont();
  for (auto _ : state) {
    int32_t used = 0;
    for (int i = 0; i < kRows && used <= kHeight; ++i) {
      int32_t height = 0;
      kivo::font::MeasureHeight(font, kText, kTextWidth, kNoLimit, &height);
      used += std::max(height, kRowHeight) + 8;
    }
    benchmark::DoNotOptimize(used);
  }
}
BENCHMARK(BM_ListBoxScrollDown_Anchor);

}  // namespace
