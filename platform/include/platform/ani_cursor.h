// Animated cursor files (RIFF "ACON", the ".ani" format): frames held as icon or cursor images
// (1, 4, 8, 24 or 32 bits per pixel with their AND mask, or PNG), an optional step sequence and
// per-step display rates in jiffies (1/60 s).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct CursorImage {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
};

struct CursorStep {
  uint32_t frame;    // index into frames
  uint32_t jiffies;  // how long the step shows
};

struct AnimatedCursor {
  std::vector<CursorImage> frames;
  std::vector<CursorStep> steps;  // at least one
};

// Decodes an animated cursor; false with a reason for a truncated, corrupt or unsupported file.
bool ParseAnimatedCursor(std::span<const uint8_t> file, AnimatedCursor* cursor, std::string* error);
// Decodes one icon or cursor file (ICO/CUR), its first image.
bool ParseCursorImage(std::span<const uint8_t> file, CursorImage* image, std::string* error);

}  // namespace platform
