// The HUD icon table: where each of the HUD's 123 sprites lies on its sheet, in texels from the
// sheet's top-left corner, and the sheets with their scale D and reference height B (a sprite's
// lower edge is at t = (B - y1) / D). The game copies the table into each game record; the image
// generator draws the sheets to it.
#pragma once

#include <cstdint>

namespace tesk::game {

struct HudIconRecord {
  int32_t x0;
  int32_t y0;
  int32_t x1;  // x1 - x0 is the drawn width
  int32_t y1;  // y1 - y0 is the drawn height
  int32_t sheet;
};
static_assert(sizeof(HudIconRecord) == 20);

inline constexpr int32_t kHudIconCount = 123;
inline constexpr int32_t kNoHudIcon = -1;

// Blend factors of the sheets (OpenGL codes).
inline constexpr uint32_t kBlendSourceAlpha = 0x302;
inline constexpr uint32_t kBlendOneMinusSourceAlpha = 0x303;

struct HudSheet {
  int32_t code;
  const char* image;  // the image resource
  int32_t texels;     // D: texels per unit of s and t
  int32_t reference;  // B: the height t is counted from
  uint32_t blendSource;
  uint32_t blendDestination;
};

inline constexpr HudSheet kHudSheets[] = {
    {1, "INTERFACE_PLATE_A", 256, 256, kBlendOneMinusSourceAlpha, kBlendSourceAlpha},
    {2, "INTERFACE_PLATE_B", 128, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {3, "MAIN_A", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {4, "MAIN_B", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {5, "MAIN_C", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {6, "MAIN_D", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {11, "PERK_ICONS", 128, 128, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {12, "LEFT_BUTTONS", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {13, "RIGHT_BUTTONS", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {17, "GENERAL_ICONS", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {18, "1024_elements", 128, 128, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {19, "PORTAL_BALLS_A", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
    {20, "PORTAL_BALLS_B", 256, 256, kBlendSourceAlpha, kBlendOneMinusSourceAlpha},
};

// The sheet that lies on the GUI skin's "1024_ELEMENTS", between the skin's pieces.
inline constexpr int32_t kSkinElementsSheet = 18;

// The sheet of a code, or null.
constexpr const HudSheet* FindHudSheet(int32_t code) {
  for (const HudSheet& sheet : kHudSheets)
    if (sheet.code == code) return &sheet;
  return nullptr;
}

// Entry 87 reaches below its 256-texel sheet and entries 25 and 48 are empty: the table is as the
// HUD's pieces index it.
inline constexpr HudIconRecord kHudIconTable[kHudIconCount] = {
    {0, 145, 127, 256, 3},    // 0
    {0, 0, 108, 109, 4},      // 1
    {105, 106, 256, 256, 4},  // 2
    {0, 0, 128, 112, 3},      // 3
    {129, 0, 237, 109, 3},    // 4
    {0, 183, 41, 255, 4},     // 5
    {238, 0, 240, 10, 3},     // 6
    {241, 0, 242, 10, 3},     // 7
    {243, 0, 245, 10, 3},     // 8
    {238, 22, 240, 32, 3},    // 9
    {241, 22, 242, 32, 3},    // 10
    {243, 22, 245, 32, 3},    // 11
    {246, 22, 248, 32, 3},    // 12
    {249, 22, 250, 32, 3},    // 13
    {251, 22, 253, 32, 3},    // 14
    {238, 11, 240, 21, 3},    // 15
    {241, 11, 242, 21, 3},    // 16
    {243, 11, 245, 21, 3},    // 17
    {128, 144, 256, 256, 3},  // 18
    {183, 175, 256, 256, 5},  // 19
    {0, 0, 72, 75, 6},        // 20
    {0, 76, 77, 150, 6},      // 21
    {101, 160, 151, 206, 17}, // 22
    {174, 122, 201, 143, 3},  // 23
    {202, 110, 229, 121, 3},  // 24
    {0, 0, 0, 0, 1},          // 25
    {78, 66, 128, 131, 5},    // 26
    {0, 232, 23, 256, 1},     // 27
    {24, 232, 47, 256, 1},    // 28
    {176, 45, 256, 85, 6},    // 29
    {176, 88, 256, 128, 6},   // 30
    {0, 68, 77, 143, 5},      // 31
    {88, 202, 137, 251, 1},   // 32
    {176, 131, 256, 171, 6},  // 33
    {176, 2, 256, 42, 6},     // 34
    {176, 174, 256, 214, 6},  // 35
    {0, 0, 66, 67, 5},        // 36
    {67, 0, 136, 65, 5},      // 37
    {42, 110, 89, 157, 4},    // 38
    {42, 163, 89, 209, 4},    // 39
    {109, 54, 156, 101, 4},   // 40
    {157, 54, 204, 100, 4},   // 41
    {0, 110, 29, 182, 4},     // 42
    {52, 62, 77, 86, 2},      // 43
    {78, 62, 102, 85, 2},     // 44
    {103, 66, 125, 86, 2},    // 45
    {202, 122, 229, 143, 3},  // 46
    {88, 106, 109, 127, 2},   // 47
    {0, 0, 0, 0, 1},          // 48
    {230, 110, 256, 121, 3},  // 49
    {231, 122, 256, 133, 3},  // 50
    {0, 117, 12, 143, 3},     // 51
    {13, 117, 34, 143, 3},    // 52
    {35, 117, 56, 143, 3},    // 53
    {57, 117, 76, 143, 3},    // 54
    {77, 117, 97, 143, 3},    // 55
    {98, 117, 118, 143, 3},   // 56
    {119, 117, 136, 143, 3},  // 57
    {137, 117, 158, 143, 3},  // 58
    {159, 118, 171, 136, 3},  // 59
    {42, 210, 62, 237, 4},    // 60
    {63, 210, 84, 237, 4},    // 61
    {109, 0, 130, 27, 4},     // 62
    {214, 55, 235, 82, 4},    // 63
    {236, 55, 256, 82, 4},    // 64
    {149, 0, 202, 52, 4},     // 65
    {203, 0, 256, 52, 4},     // 66
    {238, 33, 255, 75, 3},    // 67
    {176, 110, 188, 119, 3},  // 68
    {189, 110, 201, 119, 3},  // 69
    {246, 0, 252, 8, 3},      // 70
    {246, 9, 252, 17, 3},     // 71
    {149, 43, 158, 52, 5},    // 72
    {246, 0, 256, 10, 5},     // 73
    {246, 11, 256, 21, 5},    // 74
    {235, 11, 245, 21, 5},    // 75
    {149, 54, 158, 55, 5},    // 76
    {224, 11, 234, 21, 5},    // 77
    {159, 43, 161, 53, 5},    // 78
    {213, 11, 223, 21, 5},    // 79
    {149, 212, 181, 233, 5},  // 80
    {0, 144, 147, 256, 5},    // 81
    {218, 30, 256, 82, 5},    // 82
    {179, 31, 216, 55, 5},    // 83
    {179, 57, 216, 81, 5},    // 84
    {140, 57, 177, 81, 5},    // 85
    {230, 74, 256, 121, 5},   // 86
    {230, 122, 256, 265, 5},  // 87
    {203, 74, 219, 117, 5},   // 88
    {222, 74, 229, 117, 5},   // 89
    {203, 118, 219, 161, 5},  // 90
    {222, 118, 229, 161, 5},  // 91
    {174, 74, 190, 117, 5},   // 92
    {193, 74, 200, 117, 5},   // 93
    {0, 151, 49, 198, 6},     // 94
    {0, 200, 49, 246, 6},     // 95
    {50, 151, 77, 198, 6},    // 96
    {95, 172, 175, 214, 6},   // 97
    {95, 129, 175, 171, 6},   // 98
    {95, 86, 175, 128, 6},    // 99
    {95, 43, 175, 85, 6},     // 100
    {95, 0, 175, 42, 6},      // 101
    {0, 0, 44, 43, 11},       // 102
    {46, 0, 89, 43, 11},      // 103
    {73, 26, 255, 255, 12},   // 104
    {0, 26, 181, 255, 13},    // 105
    {153, 159, 203, 206, 17}, // 106
    {205, 159, 255, 206, 17}, // 107
    {205, 208, 255, 255, 17}, // 108
    {152, 208, 203, 255, 17}, // 109
    {101, 208, 152, 255, 17}, // 110
    {66, 95, 86, 100, 18},    // 111
    {66, 102, 86, 104, 18},   // 112
    {66, 105, 86, 107, 18},   // 113
    {88, 95, 104, 100, 18},   // 114
    {88, 102, 104, 104, 18},  // 115
    {88, 105, 104, 107, 18},  // 116
    {0, 0, 107, 107, 19},     // 117
    {110, 0, 219, 107, 19},   // 118
    {0, 109, 107, 218, 19},   // 119
    {8, 3, 116, 111, 20},     // 120
    {8, 126, 116, 233, 20},   // 121
    {138, 3, 246, 111, 20},   // 122
};

// The start-up background's four tiles, indices after the table: drawn w x h pixels with the
// texture rectangle from (s0, t0) of size (ds, dt).
inline constexpr int32_t kFirstStartupTile = 1000;
inline constexpr int32_t kStartupTileCount = 4;

struct StartupTile {
  int32_t width;
  int32_t height;
  float s0;
  float t0;
  float ds;
  float dt;
};

inline constexpr StartupTile kStartupTiles[kStartupTileCount] = {
    {512, 512, 0.0f, 0.0f, 1.0f, 1.0f},
    {512, 512, 0.0f, 0.0f, 1.0f, 1.0f},
    {512, 256, 0.0f, 0.5f, 1.0f, 0.5f},
    {512, 256, 0.0f, 0.5f, 1.0f, 0.5f},
};

}  // namespace tesk::game
