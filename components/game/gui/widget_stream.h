// The widget stream: a widget as the factory writes it is u32 0x500 (the factory version), u32 its
// type code, then its own block (TeskIWidget::StreamOut: the base block, then its class's block).
// Containers write their children the same way, so a form definition is one such record.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "widget.h"

namespace tesk::game::gui {

inline constexpr uint32_t kWidgetFactoryVersion = 0x500;
inline constexpr uint32_t kWidgetHeaderBytes = 8;
// Widgets nested deeper than this (the outermost counting 1) are refused.
inline constexpr uint32_t kMaxWidgetNesting = 32;

RTSuccess StreamWidgetOut(RTInstance stream, const TeskIWidget* widget);

// The factory version and the type code of a widget record; failure, with the factory's message,
// for a version it cannot read.
RTSuccess ReadWidgetHeader(RTInstance stream, uint32_t* type);

// A new widget read from the stream, the caller's on success. Failure leaves nothing behind: a
// widget that fails to read goes with everything it had read.
RTSuccess StreamWidgetIn(RTInstance stream, TeskIWidget** widget);

// A copy of the widget and its subtree through the skin's shared memory stream (made on first use
// when there is no skin); the copy has the source's name and no parent.
RTSuccess CloneWidget(const TeskIWidget* widget, TeskIWidget** copy);

}  // namespace tesk::game::gui
