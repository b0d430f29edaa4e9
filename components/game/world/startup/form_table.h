// The forms start-up loads, in their load order: for each the record's handle, its resource at
// width 1024 and at width 800, the message when it cannot be read and what is done to it once it
// is loaded. start-up (form_loading.cpp) and form-view --all read the same table.
#pragma once

#include <cstdint>
#include <span>

#include "screen_forms.h"

namespace tesk::game {

// What a row does to its form once loaded; a step on a widget the form lacks, or of another kind
// than the step's, is skipped.
enum class FormStep : uint8_t {
  kDisableForm,     // the form is inactive
  kDisable,         // the widget is inactive
  kHidePanel,       // the panel is hidden
  kCentreLabel,     // the label's text is centred
  kEpisodeLabel,    // the label reads "Episode:"
  kLimitEditBox,    // the edit box takes at most 32 characters
  kGreyIcon,        // the icon is tinted (0.65, 0.65, 0.65, 0.0)
  kGlowIcon,        // the icon is drawn again additively
  kCameraRotation,  // the two camera-rotation icons are made from the master icons
};

struct AfterLoading {
  FormStep step;
  const char16_t* widget;  // null for the steps on the form
};

struct FormRow {
  gui::TeskForm* ScreenForms::*form;
  const char16_t* name;       // at width 1024 and every width but 800
  const char16_t* name800;    // at width 800; null: `name` at every width
  const char16_t* debugName;  // in place of `name` when option 10 is set, or null
  const char16_t* message;    // logged when the form cannot be read
  const char16_t* message800; // in place of `message` at width 800, or null
  std::span<const AfterLoading> after;
};

inline constexpr int32_t kNarrowScreenWidth = 800;

// The rows in load order; the last, the conversation HUD, is loaded after the HUD's widgets.
std::span<const FormRow> FormTable();
// The row's resource at the screen width (0 already counted as 1024).
const char16_t* FormResource(const FormRow& row, int32_t width, bool debugIcons);
const char16_t* FormMessage(const FormRow& row, int32_t width);

}  // namespace tesk::game
