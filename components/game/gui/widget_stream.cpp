#include "widget_stream.h"

#include "button.h"
#include "color_box.h"
#include "edit_box.h"
#include "form.h"
#include "gui_skin.h"
#include "icon.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "percent_bar.h"
#include "progress_bar.h"
#include "slider.h"
#include "tab_panel.h"
#include "text_box.h"
#include "widget_tree.h"

namespace tesk::game::gui {

namespace {

// How many factory reads are under way: the nesting of the record being read.
uint32_t gNesting = 0;

class NestingLevel {
 public:
  NestingLevel() { ++gNesting; }
  ~NestingLevel() { --gNesting; }
  NestingLevel(const NestingLevel&) = delete;
  NestingLevel& operator=(const NestingLevel&) = delete;
};

void Report(const char16_t* message) { kivo::ModuleCore()->RaiseError(nullptr, message, kivo::kLevelError); }

template <class Widget>
TeskIWidget* Make() {
  return new Widget();
}

// The classes this reader builds, each made with its defaults (null when memory runs out).
struct WidgetMaker {
  uint32_t type;
  TeskIWidget* (*make)();
};
constexpr WidgetMaker kMakers[] = {
    {kWidgetForm, Make<TeskForm>},         {kWidgetPanel, Make<TeskPanel>},       {kWidgetButton, Make<TeskButton>},
    {kWidgetTextBox, Make<TeskTextBox>},   {kWidgetTabPanel, Make<TeskTabPanel>}, {kWidgetLabel, Make<TeskLabel>},
    {kWidgetColorBox, Make<TeskColorBox>},
    {kWidgetIcon, Make<TeskIcon>},         {kWidgetEditBox, Make<TeskEditBox>},
    {kWidgetSlider, Make<TeskSlider>},     {kWidgetProgressBar, Make<TeskProgressBar>},
    {kWidgetListBox, Make<TeskListBox>},   {kWidgetPercentBar, Make<TeskPercentBar>},
};

const WidgetMaker* MakerOf(uint32_t type) {
  for (const WidgetMaker& maker : kMakers)
    if (maker.type == type) return &maker;
  return nullptr;
}

}  // namespace

RTSuccess StreamWidgetOut(RTInstance stream, const TeskIWidget* widget) {
  return widget && kivo::StreamWriteUInt(stream, kWidgetFactoryVersion) &&
                 kivo::StreamWriteUInt(stream, widget->GetType()) && widget->StreamOut(stream)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess ReadWidgetHeader(RTInstance stream, uint32_t* type) {
  uint32_t version = 0;
  if (!kivo::StreamReadUInt(stream, &version)) return kRTFailure;
  if (version > kWidgetFactoryVersion) {
    Report(u"StreamWidgetIn() -- Version in stream is newer than reader");
    return kRTFailure;
  }
  if (version < kWidgetFactoryVersion) {
    Report(u"StreamWidgetIn() -- Version in stream is older than any reader");
    return kRTFailure;
  }
  return kivo::StreamReadUInt(stream, type);
}

RTSuccess StreamWidgetIn(RTInstance stream, TeskIWidget** widget) {
  if (!widget) return kRTFailure;
  *widget = nullptr;
  const NestingLevel level;
  if (gNesting > kMaxWidgetNesting) {
    Report(u"StreamWidgetIn() -- Widgets are nested too deeply");
    return kRTFailure;
  }
  uint32_t type = 0;
  if (!ReadWidgetHeader(stream, &type)) return kRTFailure;
  const WidgetMaker* maker = MakerOf(type);
  if (!maker) {
    Report(u"StreamWidgetIn() -- Unsupported widget type!");
    return kRTFailure;
  }
  TeskIWidget* made = maker->make();
  if (!made) return kRTFailure;
  if (!made->StreamIn(stream)) {
    DestroyWidgetTree(made);
    return kRTFailure;
  }
  *widget = made;
  return kRTSuccess;
}

RTSuccess CloneWidget(const TeskIWidget* widget, TeskIWidget** copy) {
  const RTInstance stream = SharedStream();
  if (!copy || !stream) return kRTFailure;
  *copy = nullptr;
  return kivo::stream::Seek(stream, 0) && StreamWidgetOut(stream, widget) && kivo::stream::Seek(stream, 0) &&
                 StreamWidgetIn(stream, copy)
             ? kRTSuccess
             : kRTFailure;
}

}  // namespace tesk::game::gui
