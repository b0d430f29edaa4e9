// RTFont: a bitmap font of the instance store. Its stream holds the glyph sheet and metrics
// (font_stream.cpp); text is laid out by text_layout.cpp and drawn by font_draw.cpp through the
// rasterizer singleton. The state record lives in the object word after the level's two tables.
#include "font_state.h"
#include "kivo/font/font_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"

namespace font {

namespace {

using namespace kivo;
namespace slot = kivo::font;

constexpr uint32_t kStateWord = slot::kLevel + 8;
constexpr bool kOverrides = true;
constexpr float kWhite[] = {1.0f, 1.0f, 1.0f};

FontState* StateOf(RTInstance self) { return StateIn<FontState>(self, kStateWord); }

// A font with a sheet, or a report naming the operation.
FontState* Loaded(RTInstance self, const char16_t* operation) {
  FontState* font = StateOf(self);
  if (font && font->loaded) return font;
  RaiseFormatted(kLevelError, u"RTFont::%s()... the font has no glyph sheet", operation);
  return nullptr;
}

RTSuccess Construct(RTInstance self) { return MakeState<FontState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (FontState* font = StateOf(self)) ReleaseTexture(*font);
  EndState<FontState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  FontState* font = StateOf(self);
  if (!font || !component::IsWholeStage(stage)) return kRTFailure;
  FontData read;
  std::string why;
  if (!ReadFontStream(stream, &read, &why)) {
    RaiseFormatted(kLevelError, u"RTFont::StreamIn() -- %s", why.c_str());
    return kRTFailure;
  }
  ReleaseTexture(*font);
  font->data = std::move(read);
  font->size = font->data.metrics.sheetSize;
  font->loaded = true;
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  FontState* font = StateOf(self);
  return font && font->loaded && component::IsWholeStage(stage) && WriteFontStream(stream, font->data)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess DrawText(RTInstance self, const char16_t* text, int32_t x, int32_t y, const float* colour) {
  FontState* font = Loaded(self, u"DrawText");
  if (!font || !colour) return kRTFailure;
  const Codes codes = ToCodes(text);
  const std::vector<Line> lines = font->layout().Break(codes, font->wrapWidth);
  const size_t shown = LinesThatFit(lines.size(), font->lineHeight(), font->clipHeight);
  if (!shown) return kRTSuccess;
  std::vector<PlacedLine> placed;
  for (size_t i = 0; i < shown; ++i)
    placed.push_back({&codes, lines[i], x, y + static_cast<int32_t>(i) * font->lineHeight()});
  return DrawPlaced(*font, placed, colour) ? kRTSuccess : kRTFailure;
}

RTSuccess SetBounds(RTInstance self, int32_t width, int32_t height) {
  FontState* font = StateOf(self);
  if (!font) return kRTFailure;
  font->wrapWidth = width;
  font->clipHeight = height;
  return kRTSuccess;
}

RTSuccess MeasureWidth(RTInstance self, const char16_t* text, int32_t* width) {
  FontState* font = Loaded(self, u"MeasureWidth");
  if (!font || !width) return kRTFailure;
  float widest = 0;
  for (const Line& line : font->layout().Break(ToCodes(text), font->wrapWidth)) widest = std::max(widest, line.width);
  *width = CoveringPixels(widest);
  return kRTSuccess;
}

RTSuccess MeasureHeight(RTInstance self, const char16_t* text, int32_t wrapWidth, int32_t limit, int32_t* height) {
  FontState* font = Loaded(self, u"MeasureHeight");
  if (!font || !height) return kRTFailure;
  const size_t lines = font->layout().Break(ToCodes(text), wrapWidth).size();
  *height = static_cast<int32_t>(LinesThatFit(lines, font->lineHeight(), limit)) * font->lineHeight();
  return kRTSuccess;
}

RTSuccess SetCellSize(RTInstance self, uint32_t cellWidth, uint32_t cellHeight, uint32_t textureWidth,
                      uint32_t textureHeight) {
  FontState* font = Loaded(self, u"SetCellSize");
  if (!font) return kRTFailure;
  const FontMetrics& m = font->data.metrics;
  if (cellWidth == m.cellWidth && cellHeight == m.cellHeight && textureWidth == m.textureWidth &&
      textureHeight == m.textureHeight)
    return kRTSuccess;
  RaiseFormatted(kLevelError, u"RTFont::SetCellSize()... the sheet has cells of %u x %u in %u x %u, not %u x %u in %u x %u",
                 m.cellWidth, m.cellHeight, m.textureWidth, m.textureHeight, cellWidth, cellHeight, textureWidth,
                 textureHeight);
  return kRTFailure;
}

RTSuccess SetSize(RTInstance self, uint32_t pixels) {
  FontState* font = StateOf(self);
  if (!font || pixels == 0 || pixels > kMaxTextureSide) return kRTFailure;
  font->size = pixels;
  return kRTSuccess;
}

RTSuccess SetScreenSize(RTInstance self, uint32_t width, uint32_t height) {
  FontState* font = StateOf(self);
  if (!font) return kRTFailure;
  font->screenWidth = width;
  font->screenHeight = height;
  return kRTSuccess;
}

RTSuccess SetTextBox(RTInstance self, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t screenWidth,
                     uint32_t screenHeight) {
  FontState* font = StateOf(self);
  if (!font || width < 0 || height < 0) return kRTFailure;
  font->textBox = {x, y, width, height};
  font->screenWidth = screenWidth;
  font->screenHeight = screenHeight;
  return kRTSuccess;
}

RTSuccess AddLine(RTInstance self, const char16_t* text, float time, uint32_t) {
  FontState* font = StateOf(self);
  if (!font) return kRTFailure;
  font->queue.Add(text ? std::u16string(text) : std::u16string(), time);
  return kRTSuccess;
}

RTSuccess DrawLines(RTInstance self, float time) {
  FontState* font = Loaded(self, u"DrawLines");
  if (!font) return kRTFailure;
  const Layout layout = font->layout();
  const Box& box = font->textBox;
  const int32_t lineHeight = font->lineHeight();
  const auto shown = font->queue.Due(time, static_cast<size_t>(box.height / lineHeight), [&](const std::u16string& text) {
    return layout.Break(ToCodes(text.c_str()), box.width).size();
  });
  std::vector<Codes> texts;
  texts.reserve(shown.size());
  std::vector<PlacedLine> placed;
  int32_t top = box.y;
  for (const auto& entry : shown) {
    const Codes& codes = texts.emplace_back(ToCodes(entry.text.c_str()));
    const std::vector<Line> lines = layout.Break(codes, box.width);
    for (size_t i = entry.firstLine; i < lines.size(); ++i, top += lineHeight)
      placed.push_back({&codes, lines[i], box.x, top});
  }
  return placed.empty() || DrawPlaced(*font, placed, kWhite) ? kRTSuccess : kRTFailure;
}

RTSuccess ClearQueuedLines(RTInstance self) {
  FontState* font = StateOf(self);
  if (!font) return kRTFailure;
  font->queue.Clear();
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"DrawText", DrawText, slot::kDrawText, u"RTSuccess", u"wchar[] apText, sint aX, sint aY, float[] apColor"),
    Method(u"SetBounds", SetBounds, slot::kSetBounds, u"RTSuccess", u"sint aWidth, sint aHeight"),
    Method(u"MeasureWidth", MeasureWidth, slot::kMeasureWidth, u"RTSuccess", u"wchar[] apText, sint out opWidth"),
    Method(u"SetScreenSize", SetScreenSize, slot::kSetScreenSize, u"RTSuccess", u"uint aWidth, uint aHeight"),
    Method(u"SetTextBox", SetTextBox, slot::kSetTextBox, u"RTSuccess",
           u"sint aX, sint aY, sint aWidth, sint aHeight, uint aScreenWidth, uint aScreenHeight"),
    Method(u"AddLine", AddLine, slot::kAddLine, u"RTSuccess", u"wchar[] apText, float aTime, uint aWord"),
    Method(u"DrawLines", DrawLines, slot::kDrawLines, u"RTSuccess", u"float aTime"),
    Method(u"MeasureHeight", MeasureHeight, slot::kMeasureHeight, u"RTSuccess",
           u"wchar[] apText, sint aWidth, sint aLimit, sint out opHeight"),
    Method(u"ClearQueuedLines", ClearQueuedLines, slot::kClearQueuedLines, u"RTSuccess", u""),
    Method(u"SetCellSize", SetCellSize, slot::kSetCellSize, u"RTSuccess",
           u"uint aCellWidth, uint aCellHeight, uint aTextureWidth, uint aTextureHeight"),
    Method(u"SetSize", SetSize, slot::kSetSize, u"RTSuccess", u"uint aPixels"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A bitmap font: a glyph sheet of the Latin-1 codes",
    .objectSize = kStateWord + 4,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kLevel + 4,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

}  // namespace font

KIVO_COMPONENT(font::gDefinition)
