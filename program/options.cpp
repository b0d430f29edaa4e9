#include "options.h"

#include "game_paths.h"
#include "platform/ini_file.h"
#include "report.h"

namespace tesk {

namespace {

struct Option {
  const char* section;
  const char* key;
  int32_t fallback;
};

constexpr Option kOptions[] = {
    {kVideoResolution, "Width", 1024},    {kVideoResolution, "Depth", 32},    {kVideoDriver, "Driver", 1},
    {"Audio", "Master Volume", 20},       {"Audio", "Effects Volume", 20},    {"Audio", "Music Volume", 20},
    {"Misc", "Movie Skip", 0},            {"Misc", "Subtitles", 1},           {"Misc", "Clock", 12},
    {"Misc", "TESK_CHEAT_DEATH", 0},
};
constexpr int32_t kReadableIds = 10;
constexpr int32_t kSettableIds = 9;
constexpr int32_t kWidthId = 1;
constexpr int32_t kDepthId = 2;

bool HeightForWidth(int32_t width, int32_t* height) {
  switch (width) {
    case 640: *height = 480; return true;
    case 800: *height = 600; return true;
    case 1024: *height = 768; return true;
    default: return false;
  }
}

}  // namespace

int32_t GetOptionI(int32_t id, int32_t* value) {
  if (id < 1 || id > kReadableIds || !value) {
    Raise(u"Invalid option sent to GetOptionI()...");
    Raise(u"Couldn't retrieve option specified");
    return 0;
  }
  const Option& option = kOptions[id - 1];
  *value = platform::IniFile(OptionsFile()).ReadInteger(option.section, option.key, option.fallback);
  return 1;
}

int32_t SetOptionI(int32_t id, int32_t value) {
  if (id < 1 || id > kSettableIds) {
    Raise(u"Invalid option sent to SetOptionI()...");
    Raise(u"tesk.ini NOT updated, invalid option set!");
    return 0;
  }
  platform::IniFile ini(OptionsFile());
  if (id == kWidthId) {
    int32_t height = 0;
    if (!HeightForWidth(value, &height)) {
      Raise(u"Invalid video resolution specified!");
      Raise(u"tesk.ini NOT updated, invalid option set!");
      return 0;
    }
    ini.WriteInteger(kVideoResolution, "Width", value);
    ini.WriteInteger(kVideoResolution, "Height", height);
  } else if (id != kDepthId) {
    ini.WriteInteger(kOptions[id - 1].section, kOptions[id - 1].key, value);
  }
  if (!ini.UpdateFile()) {
    Raise(u"tesk.ini NOT updated, the file cannot be written!");
    return 0;
  }
  return 1;
}

}  // namespace tesk
